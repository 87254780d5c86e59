#pragma once
#include "testenv.h"

#include "app/DevState.h"
#include "app/Links.h"
#include "app/Main.h"
#include "app/Tables.h"
#include "app/state.h"
#include "fakelinks.h"

// Fresh shared state, paths in the test's folders, no windows registered.
class AppTest : public VelmoraTest {
protected:
    void SetUp() override {
        VelmoraTest::SetUp();
        InstanceLockRelease();
        resetAppState();
        PathsBuild();
        FormSizesSet();
        ResetLinks();
        LanguageChooser = nullptr;
        MainWindowFactory = nullptr;
    }
    void TearDown() override {
        InstanceLockRelease();
        LanguageChooser = nullptr;
        ResetLinks();
        VelmoraTest::TearDown();
    }
};
