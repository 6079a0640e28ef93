#pragma once
// Recorded pixel hashes of pixel_identity_test.cpp (see there how they were
// made). The label glyphs in them are DejaVu Sans from Debian's
// fonts-dejavu-core package; with another font the label scenes differ.
#include <cstdint>
#include <map>
#include <string>

namespace gradoir::testing {

inline const std::map<std::string, std::uint64_t>& pixelIdentityReferences() {
  static const std::map<std::string, std::uint64_t> references{
    {"protractor/0", 0xe360d7452eda70d3ull},
    {"protractor/1", 0x2c2f82b2bceabac4ull},
    {"protractor/37", 0x9802604db5e9a37cull},
    {"protractor/90", 0xa2a9b97d7f3c9914ull},
    {"protractor/135", 0x011d1a971a78404eull},
    {"protractor/180", 0xd20878434155f222ull},
    {"protractor/270", 0x2297a82905fb1852ull},
    {"protractor/-45", 0x2ef77e24cb220e82ull},
    {"protractor/359", 0x3be2cac6d4fcbb8bull},
    {"protractor/-180", 0x084ff58d0fe0f7d0ull},
    {"protractor/360", 0xe360d7452eda70d3ull},
    {"protractor/-1", 0x3be2cac6d4fcbb8bull},
    {"protractor/213", 0x9c83e2c26af3aea1ull},
    {"protractor/-400", 0xcaff95ce3814842dull},
    {"protractor-no-inner/0", 0x7a72ae191ffe0affull},
    {"protractor-no-inner/1", 0x92c1091ab8c35615ull},
    {"protractor-no-inner/37", 0x728f87b1781f0c6cull},
    {"protractor-no-inner/90", 0x53952dcd8d543deeull},
    {"protractor-no-inner/135", 0x1e6beb88ff1afdb1ull},
    {"protractor-no-inner/180", 0x4753820eb53b0dbaull},
    {"protractor-no-inner/270", 0xf28c5f8f9e12fa44ull},
    {"protractor-no-inner/-45", 0x0a2aebd76ccea87aull},
    {"protractor-no-inner/359", 0xc0141db127589662ull},
    {"protractor-no-inner/-180", 0x08ed4880320668f4ull},
    {"protractor-no-inner/360", 0x7a72ae191ffe0affull},
    {"protractor-no-inner/-1", 0xc0141db127589662ull},
    {"protractor-no-inner/213", 0x35df034994bddf3eull},
    {"protractor-no-inner/-400", 0x77a9601f663d720dull},
    {"measure/1920x1080/7", 0xf196ba7eda4d9216ull},
    {"draw/1920x1080/7", 0x030ccf57eaf18ae9ull},
    {"measure/1920x1080/12345", 0xa78de38ba61e96d0ull},
    {"draw/1920x1080/12345", 0x2bbbca839c4879d0ull},
    {"measure/1000x700/7", 0xd90dea9adfad4726ull},
    {"draw/1000x700/7", 0x185386f9025b5211ull},
    {"measure/1000x700/12345", 0xb5cf51886a39e43bull},
    {"draw/1000x700/12345", 0xe9793ad234ba3061ull},
    {"measure/400x300/7", 0xd10d33fa0b7d2d1aull},
    {"draw/400x300/7", 0xde47aa0ab68788a7ull},
    {"measure/400x300/12345", 0x8a7cdba1630e6013ull},
    {"draw/400x300/12345", 0xc63a89806426f218ull},
    {"turned37/1000x700/12345", 0xc10c2f134c4af322ull},
    {"turned-45/1000x700/12345", 0xf7332510055779bbull},
    {"turned180/1000x700/12345", 0xae6c9213136e0ccdull},
    {"moved0/1000x700/12345", 0x4da1a89591f86a4bull},
    {"moved1/1000x700/12345", 0x179124316a005683ull},
    {"moved2/1000x700/12345", 0x5375f8ad323c7b0full},
    {"moved3/1000x700/12345", 0xc7250c48292ccc7aull},
    {"hidden/1000x700/12345", 0xc7250c48292ccc7aull},
    {"pencil0/1920x1080/7", 0xd421bd492fe8c7adull},
    {"pencil1/1920x1080/7", 0x7f40f9e628fe55c5ull},
    {"pencil2/1920x1080/7", 0x35650a1ab485e45full},
    {"pencil0/1000x700/7", 0x80798f86522e6c50ull},
    {"pencil1/1000x700/7", 0x61483d7c655f96e6ull},
    {"pencil2/1000x700/7", 0xe0a4fdcf310a1c70ull},
  };
  return references;
}

}  // namespace gradoir::testing
