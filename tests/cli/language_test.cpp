// The command line speaks one language at a time: under English no message,
// refusal or help text holds a German word; under German the messages are
// the program's old texts, character for character. --language chooses,
// before or after the command, over the language the program was given.
#include "cli_fixture.h"

#include <cctype>

using namespace tessera;
using tessera::cli_test::CliTest;
using tessera::cli_test::savedConfiguration;

namespace {

// German words of the program's texts; matched as whole words, any case.
const char* const kGermanWords[] = {
    "datei", "nicht", "kann", "fehler", "drucker", "speichern", "öffnen", "fenster", "zahl", "gültig", "ungültig",
    "zeile", "zeilen", "wert", "fehlerhafte", "erstellen", "lesen", "gewöhnliche", "ordner", "gerät", "wurde",
    "groß", "enthält", "unvollständig", "geladen", "speicher", "geändert", "nichts", "keine", "ist", "und", "zu",
    "um", "oder", "weniger", "sprache", "unbekannte", "nimmt"};

// The first German word of `text`, or "" when it holds none.
std::string germanWordIn(const std::string& text) {
    std::string word;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : ' ';
        if (std::isalpha(c) || c >= 0x80) {
            word += static_cast<char>(std::tolower(c));
            continue;
        }
        for (const char* german : kGermanWords)
            if (word == german) return word;
        word.clear();
    }
    return {};
}

std::vector<std::string> with(std::vector<std::string> words, std::vector<std::string> more) {
    words.insert(words.end(), more.begin(), more.end());
    return words;
}

} // namespace

TEST_F(CliTest, EveryRefusalIsEnglishOrTheOldGermanText) {
    const std::string config = savedConfiguration(path("c.tsn"));
    const std::string measurement = write("m.frd", "20 1\n1000 2\n20000 3\n");
    std::filesystem::create_directory(path("folder.tsn"));
    std::string huge;
    {
        std::string text = read(config);
        std::size_t at = 0;
        for (int line = 0; line < 200; ++line) at = text.find("\r\n", at) + 2;
        huge = write("huge.tsn", text.replace(at, text.find("\r\n", at) - at, "1E40"));
    }
    const std::string out = path("out.tsn"), missing = path("none.txt"), nowhere = path("no/such/out.tsn");
    struct Case {
        std::vector<std::string> words;
        int status;
        std::string english, german; // the whole of standard error; empty: not compared
    };
    const Case cases[] = {
        {{"import", missing, "-o", out}, 1, "tessera-design import: Cannot open file " + missing + "\n",
         "tessera-design import: Kann Datei " + missing + " nicht öffnen\n"},
        {{"import", measurement, "-o", nowhere}, 1, "tessera-design import: Cannot create file " + nowhere + "\n",
         "tessera-design import: Kann Datei " + nowhere + " nicht erstellen\n"},
        {{"response", path("folder.tsn"), "-o", path("x.frd")}, 1,
         "tessera-design response: " + path("folder.tsn") +
             " is not a regular file (folder, device or pipe) and was not read\n",
         "tessera-design response: " + path("folder.tsn") +
             " ist keine gewöhnliche Datei (Ordner, Gerät oder Pipe) und wurde nicht gelesen\n"},
        {{"netlist", write("short.tsn", "\"TSN\"\r\n"), "-o", path("x.cir")}, 1,
         "tessera-design netlist: File " + path("short.tsn") +
             " is incomplete (fewer than 292 lines) and was not loaded\n",
         "tessera-design netlist: Datei " + path("short.tsn") +
             " ist unvollständig (weniger als 292 Zeilen) und wurde nicht geladen\n"},
        {{"parts", huge, "-o", path("x.csv")}, 1,
         "tessera-design parts: File " + huge + " holds a number too large and was not loaded\n",
         "tessera-design parts: Datei " + huge + " enthält eine zu große Zahl und wurde nicht geladen\n"},
        // The import's refusals have always been English.
        {{"fit", measurement, "--target", write("bad.frd", "100 1\n50 2\n")}, 1,
         "tessera-design fit:  File " + path("bad.frd") +
             ", line 2: has a frequency not above the one before! Can not import!\n",
         "tessera-design fit:  File " + path("bad.frd") +
             ", line 2: has a frequency not above the one before! Can not import!\n"},
        {{"import", write("m.wav", "RIFF"), "-o", out}, 1, "", ""},
        {{"import", measurement}, 2, "", ""},
        {{"import", measurement, "--frobnicate", "-o", out}, 2, "", ""},
        {{"frobnicate"}, 2, "", ""},
        {{}, 2, "", ""},
        {{"fit", measurement, "--opamp", "LM741"}, 2, "", ""},
        {{"fit", measurement, "--band", "5:10"}, 1, "", ""}, // the fit refuses
        {{"noise", config, "--gbw", "5"}, 2, "", ""},
        {{"noise", config, "--opamp", "NE5532", "--input-level", "99"}, 2, "", ""},
        {{"schematic", config, "--summing-resistors", "12345", "-o", path("x.svg")}, 2, "", ""},
        {{"tolerance", config, "--trials", "0"}, 2, "", ""},
        {{"opamp", config}, 2, "", ""},
    };
    for (const Case& c : cases) {
        // English asked for first, German last in its other spelling, each
        // over the other language given to the program.
        const auto english = run(with({"--language", "en"}, c.words), Language::German);
        const auto german = run(with(c.words, {"--language=de"}), Language::English);
        const std::string what = c.words.empty() ? "(no words)" : c.words[0] + " " + c.words.back();
        EXPECT_EQ(english.status, c.status) << what;
        EXPECT_EQ(german.status, c.status) << what;
        EXPECT_FALSE(english.err.empty()) << what;
        EXPECT_EQ(germanWordIn(english.err), "") << english.err;
        if (!c.english.empty()) {
            EXPECT_EQ(english.err, c.english);
        }
        if (!c.german.empty()) {
            EXPECT_EQ(german.err, c.german);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(CliTest, HelpTextsAreEnglishInBothLanguagesAndAnUnknownLanguageIsAUsageError) {
    std::vector<std::vector<std::string>> helps = {{"--help"}};
    for (const cli::Command& c : cli::commands()) helps.push_back({std::string(c.name), "--help"});
    for (const auto& words : helps) {
        const auto english = run(words, Language::English), german = run(words, Language::German);
        EXPECT_EQ(english.status, 0);
        EXPECT_EQ(germanWordIn(english.out), "") << english.out;
        EXPECT_EQ(german.out, english.out) << words[0]; // as the program has always said it
    }
    for (const auto& words : std::vector<std::vector<std::string>>{
             {"--language", "fr", "import"}, {"import", "--language", "EN"}, {"import", "--language"}, {"--language="}}) {
        const auto refused = run(words);
        EXPECT_EQ(refused.status, 2) << words[1];
        EXPECT_TRUE(refused.out.empty());
        EXPECT_NE(refused.err.find("de (German) or en (English)"), std::string::npos) << refused.err;
    }
}
