// Texts in the encodings the host declares, through the module file: status texts through either
// command interface in the system's code page, and the memo's and the clip mixer's files in folders
// named outside ASCII. Under Wine each runs in the code page of the process (1252 or 932); on Linux
// the host sets each one.
#include "mixer_panel_steps.h"
#include "xpanels.h"

#include <cstdio>

namespace {

constexpr unsigned int kMemoExport = 0x8004, kMemoImport = 0x8005, kMemoTracks = 0x800C, kMemoTrackName = 0x800D;

using TextEncodings = MixerTest;

std::string Utf8(const std::filesystem::path &path) { return path.u8string(); }

// A text as the Western code page keeps it: every character outside ASCII is a '?'.
std::string InCodePage1252(const std::string &text)
{
    std::string kept;
    for (unsigned char c : text)
        if (c < 0x80 || c >= 0xC0)
            kept += c < 0x80 ? static_cast<char>(c) : '?';
    return kept;
}

// A Japanese status line of the memo (its import of a missing file), through "LW Command Interface 2"
// or, where the host lacks it, the legacy function in the system's code page: intact but for what
// that code page cannot hold.
TEST_F(TextEncodings, JapaneseStatusTextThroughEitherCommandInterface)
{
    const std::string missing = Utf8(dir / std::filesystem::u8path("無い.yaml"));
    const std::string said = missing + " を開けません。メモは変更されていません";
    void *modern = host.services.Lookup("LW Command Interface 2");
    std::vector<std::string> copies;
    for (const char *page : {"UTF-8", "CP932", "CP1252"}) {
        if (!host.SetNarrowCodePage(page))
            continue;
        for (bool served : {true, false}) {
            copies.push_back(FreshModuleCopy());
            ASSERT_TRUE(host.LoadModule(copies.back())); // the globals are fetched anew
            served ? host.services.Set("LW Command Interface 2", modern) : host.services.Remove("LW Command Interface 2");
            host.services.SetLocale(1041);
            ASSERT_NE(host.masters.Add("ZK:TimeLineMemo"), nullptr);
            zkh::XPanel *panel = host.masters.OpenPanel("ZK:TimeLineMemo");
            ASSERT_NE(panel, nullptr);
            host.requesters.AnswerFile(missing);
            host.xpanels.Press(*panel, kMemoImport);
            const bool lossy = !served && std::string(page) == "CP1252";
            EXPECT_EQ(host.commands.status.back(), lossy ? InCodePage1252(said) : said) << page << " " << served;
        }
    }
    ASSERT_TRUE(host.LoadModule(modulePath));
    for (const std::string &copy : copies)
        std::remove(copy.c_str());
    if (copies.empty())
        GTEST_SKIP() << "the system's code page is " << host.NarrowCodePage();
}

// "File Request 3" hands back UTF-8 paths: the memo and the clip mixer write and read their files
// in folders and under names in Japanese and in Western accented letters.
TEST_F(TextEncodings, FilesNamedOutsideAsciiAreWrittenAndRead)
{
    for (const auto &[folder, memoFile, mixerFile] :
         {std::tuple{"日本語フォルダ", "メモ.yaml", "クリップ.xml"}, {"Dossier é", "mémo.yaml", "clés.xml"}}) {
        SCOPED_TRACE(folder);
        const std::filesystem::path here = dir / std::filesystem::u8path(folder);
        std::error_code made;
        std::filesystem::create_directories(here, made);
        ASSERT_FALSE(made) << "no file names outside ASCII here (under Wine: the locale of LC_ALL is missing, "
                              "./zk setup-windows makes it): " << made.message();
        const std::string memoPath = Utf8(here / std::filesystem::u8path(memoFile));
        const std::string mixerPath = Utf8(here / std::filesystem::u8path(mixerFile));

        ASSERT_NE(host.masters.Add("ZK:TimeLineMemo"), nullptr);
        zkh::XPanel &memo = *host.masters.OpenPanel("ZK:TimeLineMemo");
        host.xpanels.SetText(memo, kMemoTrackName, "訳 é");
        host.requesters.AnswerFile(memoPath);
        host.xpanels.Press(memo, kMemoExport);
        host.xpanels.SetText(memo, kMemoTrackName, "changed");
        host.requesters.AnswerFile(memoPath);
        host.xpanels.Press(memo, kMemoImport);
        EXPECT_EQ(host.xpanels.PopupItems(memo, kMemoTracks), Lines{"訳 é"});
        host.masters.Remove("ZK:TimeLineMemo");

        zkh::ChannelModifier *mixer = AddMixer();
        ASSERT_NE(mixer, nullptr);
        ASSERT_TRUE(RunOptions(host, *mixer, [&](zkh::Panel &panel) {
            Press(panel, kClipAdd);
            host.requesters.AnswerFile(mixerPath);
            SetAndFire(panel, kFile, 1);
            host.requesters.AnswerFile(mixerPath);
            SetAndFire(panel, kFile, 0);
            EXPECT_EQ(zkh::ListRowCount(Ctl(panel, kClipList)), 2); // the import appends
        }));
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(memoPath)));
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(mixerPath)));
    }
    EXPECT_TRUE(host.commands.status.empty()) << host.commands.status.front();
}

} // namespace
