#pragma once
#include "testenv.h"

#include "app/DevState.h"
#include "app/Links.h"
#include "app/Main.h"
#include "app/Tables.h"
#include "app/state.h"
#include "fakelinks.h"

// Paths in the test's folders, standard window sizes, no windows registered.
class AppTest : public VelmoraTest {
protected:
    void SetUp() override {
        VelmoraTest::SetUp();
        PathsBuild();
        FormSizesSet();
    }
};
