// tessera-design(1) against the program: every command has its section,
// every option of a command's --help text is an item of that section and the
// reverse, and the program accepts every option its --help text names. When
// one of these fails, the message names the command and the option, and the
// fix is to add it to the other side.
#include "cli_fixture.h"
#include "manual_page.h"

#include <algorithm>

using tessera::cli_test::CliTest;
using tessera::manual_test::ManualPage;

namespace {

const char* const kPagePath = TESSERA_MANUAL_DIR "/tessera-design.1";

// Every spelling counts on its own: "-o" and "--output" are one option (see
// Arguments), and the --help text names both as the page does.
std::set<std::string> spellings(const std::vector<std::string>& options) { return {options.begin(), options.end()}; }

class ManualPageTest : public CliTest {
protected:
    ManualPage page{kPagePath};
    void SetUp() override { ASSERT_FALSE(page.empty()) << "cannot read " << kPagePath; }
};

bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

} // namespace

TEST_F(ManualPageTest, EveryCommandHasItsSectionAndEverySectionItsCommand) {
    const std::vector<std::string> sections = page.subsections("COMMANDS");
    std::vector<std::string> names;
    for (const auto& c : tessera::cli::commands()) {
        names.emplace_back(c.name);
        EXPECT_TRUE(contains(sections, names.back()))
            << "the command \"" << c.name << "\" has no section \".SS " << c.name << "\" under COMMANDS in " << kPagePath;
    }
    for (const std::string& section : sections)
        EXPECT_TRUE(contains(names, section))
            << kPagePath << " describes \"" << section << "\", which tessera-design does not know";
}

TEST_F(ManualPageTest, EachCommandsOptionsAreTheSameInItsHelpAndOnThePage) {
    for (const auto& c : tessera::cli::commands()) {
        const std::string name(c.name);
        const auto help = run({name, "--help"});
        ASSERT_EQ(help.status, 0) << name;
        const std::set<std::string> inHelp = spellings(ManualPage::optionsIn(help.out));
        const std::set<std::string> onPage = page.itemOptions(name);
        for (const std::string& option : inHelp)
            EXPECT_TRUE(onPage.count(option))
                << "tessera-design " << name << ": " << option << " is in `tessera-design " << name
                << " --help` but not an item (.TP) of \".SS " << name << "\" in " << kPagePath;
        for (const std::string& option : onPage)
            EXPECT_TRUE(inHelp.count(option))
                << "tessera-design " << name << ": " << option << " is an item of \".SS " << name << "\" in "
                << kPagePath << " but not in `tessera-design " << name << " --help`";
    }
}

TEST_F(ManualPageTest, EveryOptionOfAHelpTextIsOneTheCommandAccepts) {
    for (const auto& c : tessera::cli::commands()) {
        const std::string name(c.name);
        for (const std::string& option : spellings(ManualPage::optionsIn(std::string(c.usage)))) {
            // Alone, without its value or the files: a usage error at most,
            // never an unknown option.
            const auto r = run({name, option});
            EXPECT_EQ(r.err.find("unknown option"), std::string::npos)
                << "tessera-design " << name << " --help names " << option << ", which it refuses:\n" << r.err;
        }
    }
}

TEST_F(ManualPageTest, TheProgramsOwnOptionsAndVersionMatchThePage) {
    const auto help = run({"--help"});
    ASSERT_EQ(help.status, 0);
    const std::set<std::string> inHelp = spellings(ManualPage::optionsIn(help.out));
    const std::set<std::string> onPage = page.itemOptions("OPTIONS");
    EXPECT_EQ(inHelp, onPage) << "the options of `tessera-design --help` and OPTIONS in " << kPagePath;

    const auto version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.err.empty());
    EXPECT_EQ(version.out, page.titleSource() + "\n") << "the version in .TH of " << kPagePath;
    EXPECT_EQ(version.out.rfind("TESSERA ", 0), 0u) << version.out;
}
