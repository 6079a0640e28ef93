# Installation layout, desktop integration and the Debian package.
#
# The program reads "Grado.ini" from the folder of its real executable, so the
# executable gets a folder of its own, lib/gradoir/, with the settings file
# beside it; bin/gradoir is a relative link to it for the shell and the menu.
#
#   bin/gradoir -> ../lib/gradoir/gradoir
#   lib/gradoir/gradoir, lib/gradoir/Grado.ini -> /etc/gradoir/Grado.ini
#   /etc/gradoir/Grado.ini (PREFIX/etc/gradoir/Grado.ini under another prefix)
#   share/doc/gradoir/copyright, changelog.gz; share/man/man1/gradoir.1.gz
#   share/applications/<id>.desktop, share/metainfo/<id>.metainfo.xml
#   share/icons/hicolor/<N>x<N>/apps/gradoir.png

include(GNUInstallDirs)

get_filename_component(GRADOIR_REPO_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

set(GRADOIR_APP_ID "fr.gradoir.Gradoir" CACHE STRING
  "Reverse-DNS name of the desktop entry and of the software-centre data")
# The licence of the program (LICENSE at the root), as an SPDX expression.
set(GRADOIR_LICENSE "GPL-3.0-or-later")
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
# Read-only relocations once loaded, as Debian's hardening asks.
target_link_options(gradoir PRIVATE "LINKER:-z,relro" "LINKER:-z,now")
install(TARGETS gradoir RUNTIME DESTINATION "${GRADOIR_PROGRAM_DIR}")
# The settings file lives where a teacher looks for it: /etc/gradoir for the
# /usr prefix (the package), PREFIX/etc/gradoir otherwise. A link beside the
# executable keeps the rule "Grado.ini beside the real executable"; Debian
# wants links between top-level folders absolute.
install(CODE "
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(gradoir_etc \"/etc/gradoir\")
  else()
    set(gradoir_etc \"\${CMAKE_INSTALL_PREFIX}/etc/gradoir\")
  endif()
  # file(INSTALL) puts DESTDIR before its destination itself; the link
  # commands below do not.
  file(INSTALL DESTINATION \"\${gradoir_etc}\" TYPE FILE
       PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
       FILES \"${GRADOIR_DEFAULT_SETTINGS}\")
  set(gradoir_link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${GRADOIR_PROGRAM_DIR}/Grado.ini\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${GRADOIR_PROGRAM_DIR}\")
  file(REMOVE \"\${gradoir_link}\")
  message(STATUS \"Installing: \${gradoir_link} -> \${gradoir_etc}/Grado.ini\")
  file(CREATE_LINK \"\${gradoir_etc}/Grado.ini\" \"\${gradoir_link}\" SYMBOLIC)
")

# A relative link keeps working under any prefix and inside a package
# unpacked elsewhere; install(FILES) copies a link as a link.
file(MAKE_DIRECTORY "${GRADOIR_PACKAGING_BINARY_DIR}/bin")
file(CREATE_LINK "../${GRADOIR_PROGRAM_DIR}/gradoir" "${GRADOIR_PACKAGING_BINARY_DIR}/bin/gradoir" SYMBOLIC)
install(FILES "${GRADOIR_PACKAGING_BINARY_DIR}/bin/gradoir" DESTINATION "${CMAKE_INSTALL_BINDIR}")

install(FILES "${GRADOIR_DESKTOP_FILE}" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")

# --- Licence, changelog and manual page, as Debian wants them ----------------
set(GRADOIR_DEBIAN_DIR "${GRADOIR_REPO_ROOT}/resources/debian")
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed_docs "")
foreach(doc changelog gradoir.1)
  set(gz "${GRADOIR_PACKAGING_BINARY_DIR}/doc/${doc}.gz")
  # -n: no name or time stamp inside, so the same text gives the same bytes.
  add_custom_command(OUTPUT "${gz}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${GRADOIR_PACKAGING_BINARY_DIR}/doc"
    COMMAND sh -c "${GZIP_PROGRAM} -9nc \"$1\" > \"$2\"" gzip "${GRADOIR_DEBIAN_DIR}/${doc}" "${gz}"
    DEPENDS "${GRADOIR_DEBIAN_DIR}/${doc}"
    COMMENT "Compressing ${doc}"
    VERBATIM)
  list(APPEND compressed_docs "${gz}")
endforeach()
add_custom_target(gradoir_docs ALL DEPENDS ${compressed_docs})
install(FILES "${GRADOIR_DEBIAN_DIR}/copyright" "${GRADOIR_PACKAGING_BINARY_DIR}/doc/changelog.gz"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/gradoir")
install(FILES "${GRADOIR_PACKAGING_BINARY_DIR}/doc/gradoir.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${GRADOIR_DEBIAN_DIR}/lintian-overrides" DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides"
  RENAME gradoir)
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
A teacher sets the series lengths, the level (steps, range, tolerance, a
protractor already placed, an estimate first), a class list and where the
results are recorded (a SQLite file, or a PostgreSQL server for a computer
room) in /etc/gradoir/Grado.ini.")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${GRADOIR_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own French texts (context menus, standard buttons) come from here.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# The results store's database drivers are plugins, which dpkg-shlibdeps
# cannot see: SQLite always, PostgreSQL for a computer room.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libqt6sql6-psql")

# The settings file is the teacher's to edit: as a conffile, an upgrade keeps
# the edits (dpkg asks before replacing a changed file).
# The Debian generator installs under /usr by default.
file(WRITE "${GRADOIR_PACKAGING_BINARY_DIR}/control/conffiles" "/etc/gradoir/Grado.ini\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${GRADOIR_PACKAGING_BINARY_DIR}/control/conffiles")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# "package_source": the work tree without builds or history.
set(CPACK_SOURCE_GENERATOR "TXZ")
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build[^/]*/")

include(CPack)
