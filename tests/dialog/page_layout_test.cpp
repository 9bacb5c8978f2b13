// The names, places and scaling of the dialog's controls.

#include "page_layout.h"

#include <gtest/gtest.h>

#include <set>

using namespace tessera::dialog;

namespace {

std::string nameOn(Control c, int s) { return objectName(c, s); }

} // namespace

TEST(PageLayout, ControlNamesFollowEachPage) {
    EXPECT_EQ(nameOn(Control::FrequencyEntry, 1), "FreqEdit1");
    EXPECT_EQ(nameOn(Control::FrequencyEntry, 2), "Freqedit2");
    EXPECT_EQ(nameOn(Control::FrequencyEntry, 3), "Freqedit3");
    EXPECT_EQ(nameOn(Control::FrequencyEntry, 4), "FreqEdit4");
    EXPECT_EQ(nameOn(Control::E12Button, 1), "E12");
    EXPECT_EQ(nameOn(Control::E24Button, 1), "E24");
    EXPECT_EQ(nameOn(Control::E12Button, 3), "E12Button3");
    EXPECT_EQ(nameOn(Control::CapacitorBox, 2), "KondensBox2");
    EXPECT_EQ(nameOn(Control::GainSpin, 4), "HubButton4");
    // The rows cross the slots: R2 on top, R3 in the middle, R1 below.
    EXPECT_EQ(nameOn(Control::UpperValue, 4), "R2Label4");
    EXPECT_EQ(nameOn(Control::MiddleStepper, 1), "R3UpDown1");
    EXPECT_EQ(nameOn(Control::LowerStepper, 2), "R1UpDown2");
    EXPECT_EQ(caption(Control::UpperDesignator, 4), "R10:");
    EXPECT_EQ(caption(Control::LowerDesignator, 1), "R3:");
    for (Row row : {Row::Upper, Row::Middle, Row::Lower}) EXPECT_EQ(slotRow(rowSlot(row)), row);
}

TEST(PageLayout, CaptionLabelsAreNumberedPerPage) {
    const std::array<std::array<const char*, 7>, 4> expected = {{
        {"Label1", "Label2", "Label3", "Label4", "Label6", "Label7", "Label5"},
        {"Label8", "Label9", "Label10", "Label18", "Label14", "Label13", "Label16"},
        {"Label11", "Label12", "Label15", "Label25", "Label21", "Label19", "Label23"},
        {"Label17", "Label20", "Label22", "Label32", "Label28", "Label27", "Label30"},
    }};
    const std::array<Control, 7> order = {Control::FrequencyCaption, Control::QCaption,        Control::GainCaption,
                                          Control::CapacitorCaption, Control::UpperDesignator, Control::MiddleDesignator,
                                          Control::LowerDesignator};
    std::set<std::string> all;
    for (int s = 1; s <= 4; ++s) {
        for (std::size_t i = 0; i < order.size(); ++i) {
            EXPECT_EQ(nameOn(order[i], s), expected[s - 1][i]);
            EXPECT_TRUE(sizedToCaption(order[i]));
            all.insert(nameOn(order[i], s));
        }
    }
    EXPECT_EQ(all.size(), 28u);
    EXPECT_FALSE(sizedToCaption(Control::StatusLine));
    EXPECT_FALSE(sizedToCaption(Control::UpperValue));
}

TEST(PageLayout, EveryControlHasItsOwnNameAcrossThePages) {
    std::set<std::string> names;
    for (int s = 1; s <= 4; ++s)
        for (int c = 0; c < kControlCount; ++c) names.insert(nameOn(static_cast<Control>(c), s));
    EXPECT_EQ(names.size(), 4u * kControlCount);
}

TEST(PageLayout, NotebookFillsTheClientWithMargins) {
    EXPECT_EQ(notebookPlace(294, 258), (Place{7, 7, 280, 244}));
    EXPECT_EQ(notebookPlace(235, 206), (Place{5, 6, 225, 194}));
}

TEST(PageLayout, DesignedPlacesScaleWithTheScreen) {
    EXPECT_EQ(scaledPlace(designedPlace(Control::QSpin, 1), 120), (Place{96, 96, 20, 25}));
    EXPECT_EQ(scaledPlace(designedPlace(Control::QSpin, 1), 96), (Place{77, 77, 16, 20}));
    EXPECT_EQ(scaledPlace(kConverterPlace, 96), (Place{0, -6, 97, 18}));
    EXPECT_EQ(designedPlace(Control::LowerDesignator, 4).width, 33);
    EXPECT_EQ(designedPlace(Control::LowerDesignator, 3).width, 24);
    EXPECT_DOUBLE_EQ(designedPoints(13), 7.8);
    EXPECT_EQ(scaledLength(kClientWidth, 144), 353);
}
