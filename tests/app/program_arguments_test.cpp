// The command line of `tessera` and its manual page: what the program does
// with its words before any window exists, and tessera(1) kept the same as
// `tessera --help` and as the frame window's menu.
#include "manual_page.h"
#include "menu_layout.h"
#include "program_arguments.h"
#include "program_version.h"

#include <gtest/gtest.h>

using tessera::ProgramArguments;
using tessera::readProgramArguments;
using tessera::manual_test::ManualPage;
using Action = ProgramArguments::Action;

namespace {

const char* const kPagePath = TESSERA_MANUAL_DIR "/tessera.1";

// A caption as the page names it: without the access key's "&" and the
// ellipsis of a command that opens a dialog.
std::string pageName(std::string_view caption) {
    std::string name;
    for (const char c : caption)
        if (c != '&') name += c;
    for (const std::string_view ellipsis : {"…", "..."})
        if (name.size() >= ellipsis.size() && name.compare(name.size() - ellipsis.size(), ellipsis.size(), ellipsis) == 0)
            name.resize(name.size() - ellipsis.size());
    return name;
}

} // namespace

TEST(ProgramArguments, AFileAloneOrAfterToolkitOptionsIsOpened) {
    EXPECT_FALSE(readProgramArguments({}).file);
    EXPECT_EQ(readProgramArguments({}).action, Action::Run);

    const auto plain = readProgramArguments({"room.tsn"});
    EXPECT_EQ(plain.action, Action::Run);
    EXPECT_EQ(plain.file, "room.tsn");

    // A toolkit option's value is not taken for the file.
    const auto styled = readProgramArguments({"-platform", "xcb", "-style=Fusion", "--reverse", "room.tsn", "-geometry", "800x600"});
    EXPECT_EQ(styled.action, Action::Run) << styled.error;
    EXPECT_EQ(styled.file, "room.tsn");

    const auto dashed = readProgramArguments({"--", "-odd name.tsn"});
    EXPECT_EQ(dashed.action, Action::Run) << dashed.error;
    EXPECT_EQ(dashed.file, "-odd name.tsn");
}

TEST(ProgramArguments, LanguageIsTakenWithTheFile) {
    const auto german = readProgramArguments({"--language", "de", "room.tsn"});
    EXPECT_EQ(german.action, Action::Run) << german.error;
    EXPECT_EQ(german.language, tessera::Language::German);
    EXPECT_EQ(german.file, "room.tsn");
    EXPECT_EQ(readProgramArguments({"--language=en"}).language, tessera::Language::English);
    EXPECT_FALSE(readProgramArguments({"room.tsn"}).language);
}

TEST(ProgramArguments, HelpAndVersionWinOverAFile) {
    EXPECT_EQ(readProgramArguments({"--help"}).action, Action::Help);
    EXPECT_EQ(readProgramArguments({"room.tsn", "-h"}).action, Action::Help);
    EXPECT_EQ(readProgramArguments({"--version"}).action, Action::Version);
    EXPECT_EQ(readProgramArguments({"-style", "Fusion", "--version"}).action, Action::Version);
    // After "--" they are file names.
    EXPECT_EQ(readProgramArguments({"--", "--help"}).file, "--help");
}

TEST(ProgramArguments, WrongArgumentsAreNamed) {
    for (const auto& [words, named] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--bogus"}, "--bogus"},
             {{"room.tsn", "-x"}, "-x"},
             {{"-platform=xcb"}, "-platform=xcb"}, // the toolkit reads only "-platform NAME"
             {{"--reverse=1"}, "--reverse=1"},
             {{"-platform"}, "-platform"},
             {{"a.tsn", "b.tsn"}, "b.tsn"},
             {{"--help=1"}, "--help=1"},
             {{"--language", "fr"}, "\"fr\": de or en"},
             {{"--language=EN"}, "\"EN\": de or en"},
             {{"room.tsn", "--language"}, "--language needs a value: de or en"},
         }) {
        const auto r = readProgramArguments(words);
        EXPECT_EQ(r.action, Action::Wrong) << named;
        EXPECT_NE(r.error.find(named), std::string::npos) << r.error;
        EXPECT_FALSE(r.file && words.size() == 1) << named;
    }
}

class ManualPageTest : public ::testing::Test {
protected:
    ManualPage page{kPagePath};
    void SetUp() override { ASSERT_FALSE(page.empty()) << "cannot read " << kPagePath; }
};

TEST_F(ManualPageTest, OptionsAreTheSameInHelpAndOnThePageAndAllAccepted) {
    const std::vector<std::string> listed = ManualPage::optionsIn(std::string(tessera::programUsage()));
    const std::set<std::string> inHelp(listed.begin(), listed.end());
    const std::set<std::string> onPage = page.itemOptions("OPTIONS");
    for (const std::string& option : inHelp)
        EXPECT_TRUE(onPage.count(option)) << "tessera: " << option << " is in `tessera --help` but not an item (.TP) of OPTIONS in " << kPagePath;
    for (const std::string& option : onPage)
        EXPECT_TRUE(inHelp.count(option)) << "tessera: " << option << " is an item of OPTIONS in " << kPagePath << " but not in `tessera --help`";
    // Each with a word after it (its value, or else the file) is accepted.
    for (const std::string& option : onPage)
        EXPECT_NE(readProgramArguments({option, option == "--language" ? "de" : "value"}).action, Action::Wrong) << option;
}

TEST_F(ManualPageTest, EveryMenuCommandIsDescribedUnderItsMenu) {
    const std::vector<std::string> menus = page.subsections("MENUS");
    for (const tessera::MenuLayout& menu : tessera::mainMenuLayout()) {
        const std::string menuName = pageName(menu.caption);
        EXPECT_NE(std::find(menus.begin(), menus.end(), menuName), menus.end())
            << "the menu \"" << menuName << "\" has no section \".SS " << menuName << "\" under MENUS in " << kPagePath;
        const std::vector<std::string> tags = page.itemTags(menuName);
        std::vector<std::string> captions;
        for (const tessera::MenuItemLayout& item : menu.items) {
            captions.push_back(pageName(item.caption));
            EXPECT_NE(std::find(tags.begin(), tags.end(), captions.back()), tags.end())
                << menuName << " > " << captions.back() << " is not an item (.TP) of \".SS " << menuName << "\" in " << kPagePath;
        }
        for (const std::string& tag : tags)
            EXPECT_NE(std::find(captions.begin(), captions.end(), tag), captions.end())
                << kPagePath << " describes " << menuName << " > " << tag << ", which the menu does not have";
    }
}

TEST_F(ManualPageTest, TheVersionIsTheProgramsOwn) {
    EXPECT_EQ(page.titleSource(), tessera::kVersionLine) << "the version in .TH of " << kPagePath;
}
