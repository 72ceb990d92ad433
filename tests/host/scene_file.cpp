// The simulated host's scene files (Layout's LWSC text format): real files read and written back
// byte for byte, edits that rewrite only their lines, new scenes, and damaged files.
#include "host.h"
#include "lwsc/document.h"
#include "morph_rig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const fs::path kShared = fs::path(ZK_SOURCE_DIR) / ".." / "shared" / "lwsc";

std::string ReadBytes(const fs::path &path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every real scene file of the samples and the corpus.
std::vector<fs::path> RealScenes()
{
    std::vector<fs::path> files;
    for (const fs::path &folder : {kShared / "samples", kShared / "corpus"})
        for (const auto &entry : fs::recursive_directory_iterator(folder))
            if (entry.path().extension() == ".lws")
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

int VersionOf(const std::string &bytes)
{
    const size_t line = bytes.find_first_of("\r\n");
    const size_t start = bytes.find_first_not_of("\r\n", line);
    return start == std::string::npos ? 0 : std::atoi(bytes.c_str() + start);
}

// Versions 3 and later load and, saved without a change, give back the file byte for byte; versions
// 1 and 2 are refused with the version named and nothing of the scene touched.
TEST(SceneFile, RealScenesRoundTripByteForByte)
{
    size_t loaded = 0, refused = 0;
    for (const fs::path &path : RealScenes()) {
        SCOPED_TRACE(path.filename().string());
        const std::string bytes = ReadBytes(path);
        zkh::Host host;
        host.scene.AddCamera("Before", 10, 10, 35);
        const int version = VersionOf(bytes);
        if (version < 3) {
            EXPECT_FALSE(host.LoadSceneText(bytes, "old.lws"));
            EXPECT_EQ(host.messages.back(), "old.lws:2: this is a LightWave 5 scene (format version " +
                                                std::to_string(version) +
                                                "), which this host cannot read: open it in Layout 6 or later and "
                                                "save it again");
            EXPECT_NE(host.scene.FindByName("Before"), nullptr);
            ++refused;
            continue;
        }
        ASSERT_TRUE(host.LoadSceneText(bytes, path.string())) << host.messages.back();
        EXPECT_EQ(host.SceneText(), bytes);
        ++loaded;
    }
    EXPECT_EQ(loaded, 13u + 21u); // the samples and the corpus
    EXPECT_EQ(refused, 1u + 26u);
}

} // namespace
