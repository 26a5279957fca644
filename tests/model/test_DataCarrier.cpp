// Data carrier: the Empty mark, which tells "never set" from "set to nothing".
#include <gtest/gtest.h>

#include "Zelmar_Object_DataCarrier.h"

TEST(DataCarrier, EverySetterMakesItNonEmptyWithoutTouchingTheKind) {
    TZelmarDataCarrier carrier;
    EXPECT_TRUE(carrier.Empty());
    EXPECT_EQ(carrier.Kind(), ecsdtNone);

    carrier.SetChecked(false);  // equal to the cleared value, but set
    EXPECT_FALSE(carrier.Empty());
    carrier.Clear();
    carrier.SetText("");
    EXPECT_FALSE(carrier.Empty());
    carrier.Clear();
    carrier.SetValueTo(0.0);
    EXPECT_FALSE(carrier.Empty());
    EXPECT_EQ(carrier.Kind(), ecsdtNone);

    carrier.SetKind(ecsdtMolweight);
    carrier.SetValue(18.015);
    EXPECT_TRUE(carrier.IsNumber());
    EXPECT_FALSE(carrier.IsText());
    carrier.SetKind(ecsdtFormula);
    EXPECT_TRUE(carrier.IsText());
    carrier.SetKind(ecsdtCheckbox);
    EXPECT_FALSE(carrier.IsText());
    EXPECT_FALSE(carrier.IsNumber());

    carrier.Clear();
    EXPECT_TRUE(carrier.Empty());
    EXPECT_EQ(carrier.Kind(), ecsdtNone);
    EXPECT_EQ(carrier.Value(), 0.0);
}

TEST(DataCarrier, AssignCopiesEverythingAndNullClears) {
    TZelmarDataCarrier source;
    source.SetKind(ecsdtMolweight);
    source.SetText("t");
    source.SetValue(1.5);
    source.SetValueFrom(2.5);
    source.SetValueTo(3.5);
    source.SetChecked(true);

    TZelmarDataCarrier copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.Kind(), ecsdtMolweight);
    EXPECT_EQ(copy.Text(), "t");
    EXPECT_EQ(copy.Value(), 1.5);
    EXPECT_EQ(copy.ValueFrom(), 2.5);
    EXPECT_EQ(copy.ValueTo(), 3.5);
    EXPECT_TRUE(copy.Checked());
    EXPECT_FALSE(copy.Empty());

    TZelmarDataCarrier empty;
    copy.Assign(&empty);  // the Empty mark travels too
    EXPECT_TRUE(copy.Empty());

    copy.Assign(&source);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Kind(), ecsdtNone);
    EXPECT_TRUE(copy.Text().empty());
    EXPECT_FALSE(copy.Checked());
}
