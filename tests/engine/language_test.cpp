#include "language.h"

#include <gtest/gtest.h>

namespace tessera {
namespace {

TEST(Language, FirstSetLocaleVariableDecides) {
    struct Case { const char* lcAll; const char* lcMessages; const char* lang; Language expected; };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, Language::English},
        {nullptr, nullptr, "de_DE.UTF-8", Language::German},
        {nullptr, nullptr, "C", Language::English},
        {"", "", "de_AT.UTF-8", Language::German},            // empty counts as unset
        {"POSIX", nullptr, "de_DE.UTF-8", Language::English}, // LC_ALL first
        {nullptr, "en_US.UTF-8", "de_DE.UTF-8", Language::English},
        {"de_CH", "en_US.UTF-8", nullptr, Language::German},
        {nullptr, nullptr, "dk_DK", Language::English},
    };
    for (const Case& c : cases)
        EXPECT_EQ(languageFromLocaleValues(c.lcAll, c.lcMessages, c.lang), c.expected)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
            << (c.lang ? c.lang : "-");
}

TEST(Language, CodesRoundTripAndRefuseOthers) {
    for (Language l : {Language::English, Language::German})
        EXPECT_EQ(parseLanguageCode(languageCode(l)), l);
    for (const char* bad : {"", "DE", "fr", "de_DE", "english"})
        EXPECT_FALSE(parseLanguageCode(bad).has_value()) << bad;
}

} // namespace
} // namespace tessera
