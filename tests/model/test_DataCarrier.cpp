// Data carrier: the Empty mark tells "never set" from "set to nothing".
#include <gtest/gtest.h>

#include "Zelmar_Object_DataCarrier.h"

TEST(DataCarrier, EmptyMarkAndAssign) {
    TZelmarDataCarrier carrier;
    EXPECT_TRUE(carrier.Empty());
    carrier.SetChecked(false);  // equal to the cleared value, but set
    EXPECT_FALSE(carrier.Empty());
    EXPECT_EQ(carrier.Kind(), ecsdtNone);  // setters leave the kind alone

    TZelmarDataCarrier source;
    source.SetKind(ecsdtMolweight);
    source.SetText("");
    source.SetValueFrom(2.5);
    carrier.Assign(&source);
    EXPECT_FALSE(carrier.Empty());
    EXPECT_TRUE(carrier.IsNumber());
    EXPECT_EQ(carrier.ValueFrom(), 2.5);
    EXPECT_FALSE(carrier.Checked());

    TZelmarDataCarrier never;
    carrier.Assign(&never);  // the mark travels with the value
    EXPECT_TRUE(carrier.Empty());
    carrier.Assign(&source);
    carrier.Assign(nullptr);
    EXPECT_TRUE(carrier.Empty());
    EXPECT_EQ(carrier.Kind(), ecsdtNone);
}
