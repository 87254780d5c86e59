// The Preferences menu: toggles and their kept values, MIDI thru and the
// language choice, as the settings at exit carry them.
#include "app/Messages.h"
#include "files/state.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"
#include "shelltest.h"

TEST_F(ShellTest, TogglesKeepTheirValueAndSaveIt) {
    struct Case {
        MenuId item;
        bool* kept;
        int position;
    } cases[] = {
        {MenuId::mnuRdOnly, &RdOnlyOpt, 17},
        {MenuId::mnuCaricaStyNuovoArr, &CaricaStyNuovoArrOpt, 20},
        {MenuId::mnuCaricaSty, &CaricaStyOpt, 21},
        {MenuId::mnuCaricaPrg, &CaricaPrgOpt, 23},
        {MenuId::mnuAddi40DBArr, &AutoDBArrOpt, 26},
        {MenuId::mnuVisBarraStato, &StatusBarOpt, 27},
        {MenuId::mnuCaricaArr, &CaricaArrOpt, 28},
    };
    frmMain* f = open();
    f->show();
    for (const Case& c : cases) {
        MenuItem* m = f->item(c.item);
        const bool was = m->Checked();
        for (int clicks = 1; clicks <= 3; ++clicks) {
            m->trigger();
            EXPECT_EQ(m->Checked(), was != (clicks % 2 == 1)) << c.position;
            EXPECT_EQ(*c.kept, m->Checked()) << c.position;
        }
        if (c.item == MenuId::mnuVisBarraStato) {
            EXPECT_EQ(f->Picture1->isVisibleTo(f), m->Checked());
            m->trigger();
            EXPECT_EQ(f->Picture1->isVisibleTo(f), m->Checked());
            m->trigger();
        }
    }
    f->mnuExit->trigger();
    ASSERT_FALSE(f->Loaded());
    const std::string ini = readFileBytes(sysFile("Velmora.ini"));
    for (const Case& c : cases) EXPECT_EQ(at(ini, c.position), *c.kept ? 1 : 0) << c.position;
}

TEST_F(ShellTest, MidiThruSwitchesTheDriverOrTellsWhyNot) {
    using E = CaptureBackend::Event;
    struct Case {
        const char* what;
        bool midiOn, startOn;
        int failConnect;
        std::vector<E::Kind> events;
        bool on;        // the mark and MidiThruOn afterwards
        bool message;
    } cases[] = {
        {"on", true, false, 0, {E::Connect, E::InStart}, true, false},
        {"off", true, true, 0, {E::Disconnect, E::InStop}, false, false},
        {"refused", true, false, MidiErrInvalidHandle, {}, false, true},
        {"MIDI not in use", false, false, 0, {}, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        delete frame.data();
        InstanceLockRelease();
        frmMain* f = open([&] { MidiThruOn = c.startOn; });
        if (!c.midiOn) MidiOn = 0;
        midi->clear();
        midi->failConnect = c.failConnect;
        dialogs.shown.clear();
        if (c.message) dialogs.answer(vbOK);
        f->mnuMIDIThru->trigger();
        std::vector<E::Kind> kinds;
        for (const E& e : midi->events) kinds.push_back(e.kind);
        EXPECT_EQ(kinds, c.events);
        EXPECT_EQ(f->mnuMIDIThru->Checked(), c.on);
        EXPECT_EQ(MidiThruOn, c.on);
        ASSERT_EQ(dialogs.shown.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(dialogs.shown[0].text, "MIDI Thru could not be switched: the MIDI driver refused it");
            EXPECT_EQ(dialogs.shown[0].title, "MIDI Thru");
        }
        f->mnuExit->trigger();
        EXPECT_EQ(at(readFileBytes(sysFile("Velmora.ini")), 46), c.on ? 1 : 0);
    }
}

TEST_F(ShellTest, LanguageChangeIsToldInTheLanguageOfTheStart) {
    frmMain* f = open([] {
        LangSel = 1;
        LangBase = 0;
    });
    f->mnuItaliano->trigger();
    EXPECT_TRUE(dialogs.shown.empty()) << "the language already set";
    dialogs.answer(vbOK);
    dialogs.answer(vbOK);
    f->mnuInglese->trigger();
    EXPECT_TRUE(f->mnuInglese->Checked() && !f->mnuItaliano->Checked());
    EXPECT_EQ(LangSel, 2);
    f->mnuItaliano->trigger();
    EXPECT_TRUE(f->mnuItaliano->Checked() && !f->mnuInglese->Checked());
    ASSERT_EQ(dialogs.shown.size(), 2u);
    for (const auto& box : dialogs.shown) {
        EXPECT_EQ(box.text, MsgRaw(66));
        EXPECT_EQ(box.title, "Cambio lingua");
    }
    EXPECT_EQ(f->mnuFile->Caption(), "&File");
    f->mnuExit->trigger();
    EXPECT_EQ(at(readFileBytes(sysFile("Velmora.ini")), 25), 1);
}

TEST_F(ShellTest, PreferencesActOnTheOpenWindowsAtOnce) {
    frmMain* f = open();
    f->show();
    // Three arrangement file windows and the user bank's, each with its add button.
    std::vector<CommandButton*> adds;
    std::vector<TestChild*> wins;
    for (int slot : {1, 4, 8, 9}) {
        std::string img = WindowImageNew(19);
        ImgSet(img, ImgSlot, static_cast<unsigned>(slot));
        auto* w = new TestChild(f, img);
        auto* l = new ListBox(w, "List1");
        l->AddItem("11  Ballad");
        l->AddItem("12");
        adds.push_back(new CommandButton(w, "CommAdd"));
        wins.push_back(w);
        w->Show();
    }
    wins[0]->activate();
    MenuAgg();
    EXPECT_TRUE(f->mnui40DBArr->isEnabled());
    f->mnuAddi40DBArr->trigger();
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(adds[static_cast<std::size_t>(i)]->isEnabled()) << i;
    EXPECT_TRUE(adds[3]->isEnabled()) << "the user bank's window keeps its own";
    EXPECT_FALSE(f->mnui40DBArr->isEnabled());
    f->mnuAddi40DBArr->trigger();
    for (CommandButton* b : adds) EXPECT_TRUE(b->isEnabled());
    EXPECT_TRUE(f->mnui40DBArr->isEnabled());

    // Read only blocks Cut and Paste at once.
    auto* list = FindControl<ListBox>(wins[0], "List1");
    list->setListIndex(0);
    list->setSelected(0, true);
    MenuAgg();
    ASSERT_TRUE(f->mnuTaglia->isEnabled());
    f->mnuRdOnly->trigger();
    EXPECT_FALSE(f->mnuTaglia->isEnabled());
    ClipBuf = WindowImageNew(2);
    list->setListIndex(1);
    list->setSelected(1, true);
    f->mnuRdOnly->trigger();
    ASSERT_TRUE(f->mnuIncolla->isEnabled());
    f->mnuRdOnly->trigger();
    EXPECT_FALSE(f->mnuIncolla->isEnabled());
}
