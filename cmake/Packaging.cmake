# Installation layout, desktop integration and the Debian package.
#
# The program reads "Grado.ini" from the folder of its real executable, so the
# executable gets a folder of its own, lib/gradoir/, with the settings file
# beside it; bin/gradoir is a relative link to it for the shell and the menu.
#
#   bin/gradoir -> ../lib/gradoir/gradoir
#   lib/gradoir/gradoir, lib/gradoir/Grado.ini
#   share/applications/<id>.desktop, share/metainfo/<id>.metainfo.xml
#   share/icons/hicolor/<N>x<N>/apps/gradoir.png

include(GNUInstallDirs)

get_filename_component(GRADOIR_REPO_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

set(GRADOIR_APP_ID "fr.gradoir.Gradoir" CACHE STRING
  "Reverse-DNS name of the desktop entry and of the software-centre data")
# No licence has been chosen for the program yet: all rights reserved.
set(GRADOIR_LICENSE "LicenseRef-proprietary" CACHE STRING "SPDX licence of the program")
set(GRADOIR_MAINTAINER "Gradoir <gradoir@example.org>" CACHE STRING "Maintainer of the Debian package")
set(GRADOIR_WINDOW_ICON "${GRADOIR_REPO_ROOT}/resources/gradoir.xpm" CACHE FILEPATH
  "32x32 window icon from which the theme icons are made")

set(GRADOIR_PROGRAM_DIR "lib/gradoir")
set(GRADOIR_ICON_SIZES 32 48 64 128 256)
set(GRADOIR_DESKTOP_DIR "${GRADOIR_REPO_ROOT}/resources/desktop")
set(GRADOIR_PACKAGING_BINARY_DIR "${CMAKE_BINARY_DIR}/packaging")

# The desktop entry and metainfo exactly as installed, so the tests validate
# the very files that ship.
set(GRADOIR_DESKTOP_FILE "${GRADOIR_PACKAGING_BINARY_DIR}/${GRADOIR_APP_ID}.desktop")
set(GRADOIR_METAINFO_FILE "${GRADOIR_PACKAGING_BINARY_DIR}/${GRADOIR_APP_ID}.metainfo.xml")
set(GRADOIR_DEFAULT_SETTINGS "${GRADOIR_DESKTOP_DIR}/Grado.ini")
configure_file("${GRADOIR_DESKTOP_DIR}/gradoir.desktop" "${GRADOIR_DESKTOP_FILE}" COPYONLY)
configure_file("${GRADOIR_DESKTOP_DIR}/gradoir.metainfo.xml.in" "${GRADOIR_METAINFO_FILE}" @ONLY)

# --- Theme icons: nearest-neighbour enlargements of the window icon ----------
add_library(gradoir_iconscale STATIC
  "${GRADOIR_REPO_ROOT}/tools/iconscale/icon_upscale.cpp"
  "${GRADOIR_REPO_ROOT}/tools/iconscale/icon_upscale.h")
target_include_directories(gradoir_iconscale PUBLIC "${GRADOIR_REPO_ROOT}/tools/iconscale")
target_link_libraries(gradoir_iconscale PUBLIC Qt6::Gui)
add_executable(gradoir-iconscale "${GRADOIR_REPO_ROOT}/tools/iconscale/main.cpp")
target_link_libraries(gradoir-iconscale PRIVATE gradoir_iconscale)

set(theme_icons "")
foreach(size ${GRADOIR_ICON_SIZES})
  set(icon "${GRADOIR_PACKAGING_BINARY_DIR}/icons/${size}x${size}/apps/gradoir.png")
  add_custom_command(OUTPUT "${icon}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${GRADOIR_PACKAGING_BINARY_DIR}/icons/${size}x${size}/apps"
    COMMAND gradoir-iconscale "${GRADOIR_WINDOW_ICON}" "${icon}" ${size}
    DEPENDS gradoir-iconscale "${GRADOIR_WINDOW_ICON}"
    COMMENT "Theme icon ${size}x${size}"
    VERBATIM)
  list(APPEND theme_icons "${icon}")
  install(FILES "${icon}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
add_custom_target(gradoir_theme_icons ALL DEPENDS ${theme_icons})

# --- Program, settings file, link, desktop files ----------------------------
install(TARGETS gradoir RUNTIME DESTINATION "${GRADOIR_PROGRAM_DIR}")
install(FILES "${GRADOIR_DEFAULT_SETTINGS}" DESTINATION "${GRADOIR_PROGRAM_DIR}"
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# A relative link keeps working under any prefix and inside a package
# unpacked elsewhere; install(FILES) copies a link as a link.
file(MAKE_DIRECTORY "${GRADOIR_PACKAGING_BINARY_DIR}/bin")
file(CREATE_LINK "../${GRADOIR_PROGRAM_DIR}/gradoir" "${GRADOIR_PACKAGING_BINARY_DIR}/bin/gradoir" SYMBOLIC)
install(FILES "${GRADOIR_PACKAGING_BINARY_DIR}/bin/gradoir" DESTINATION "${CMAKE_INSTALL_BINDIR}")

install(FILES "${GRADOIR_DESKTOP_FILE}" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${GRADOIR_METAINFO_FILE}" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

# --- Debian package -----------------------------------------------------------
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "gradoir")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${GRADOIR_MAINTAINER}")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "protractor trainer for pupils (in French)")
# The summary above becomes the first line of the control file's Description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Gradoir draws a random angle and an on-screen protractor. The pupil moves
the protractor by its centre, turns it by the ends of its straight edge and
either measures the angle or draws its second side with a pencil. Exercises
come in series, three tries each, with a score.
.
A teacher sets the series lengths, the magnetised vertex and the horizontal
first side in /usr/lib/gradoir/Grado.ini.")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${GRADOIR_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own French texts (context menus, standard buttons) come from here.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

# The settings file is the teacher's to edit: as a conffile, an upgrade keeps
# the edits (dpkg asks before replacing a changed file).
# The Debian generator installs under /usr by default.
file(WRITE "${GRADOIR_PACKAGING_BINARY_DIR}/control/conffiles" "/usr/${GRADOIR_PROGRAM_DIR}/Grado.ini\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${GRADOIR_PACKAGING_BINARY_DIR}/control/conffiles")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# "package_source": the work tree without builds or history.
set(CPACK_SOURCE_GENERATOR "TXZ")
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build[^/]*/")

include(CPack)
