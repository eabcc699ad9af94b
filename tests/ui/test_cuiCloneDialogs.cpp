// The clone commands in the main window offscreen, with the demo radio on the virtual
// clock as the port: what a read does to the document and the sheets, the write's
// refusal before any exchange, the password dialog, the progress window's segments,
// the message of a port that does not open, the port chooser and the information box.
// Modal windows are driven by single-shot timers.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>

#include "channel/datCh.h"
#include "channel/datChKinds.h"
#include "clone/indCloneMan.h"
#include "clone/ui/cuiPortChooser.h"
#include "clone/ui/cuiProgressWindow.h"
#include "help/ui/cuiInformation.h"
#include "image/cmcImageMap.h"
#include "sheet/ui/cuiSheet.h"
#include "shell/ui/cuiCloneDialogs.h"
#include "shell/ui/cuiPasswordDialog.h"
#include "support/DesktopEdits.h"
#include "support/DesktopRig.h"

namespace {

// Runs what a modal window asks once it is shown: a timer looks for the active modal
// window of the type every few milliseconds and hands it to the step.
template <typename Window>
void WhenShown(std::function<void(Window&)> step) {
  QTimer::singleShot(5, [step] {
    if (auto* w = qobject_cast<Window*>(QApplication::activeModalWidget()))
      step(*w);
    else
      WhenShown<Window>(step);
  });
}

// The ports the chooser is given: a USB cable and the demo radio.
struct TwoPorts : cmcPortDiscovery {
  std::vector<cmcPortInfo> List() override {
    return {{33, "/dev/ttyUSB0", "FT232R USB UART (ttyUSB0)", {"/dev/serial/by-id/usb-FTDI_FT232R_A10K-if00-port0"}},
            {cmcDemoRadio::kPort, cmcSerialFactory::kSimulatedRadioPath, "", {}}};
  }
};

class CloneWindows : public ::testing::Test {
 protected:
  CloneWindows() {
    rig_.discovery = &ports_;
    rig_.Build();
    rig_.p.ServeDemoRadio(rig_.dir);
  }
  cuiMainWindow& Window() { return *rig_.window; }
  indMain& Main() { return rig_.p.main; }
  cmcSimRadio& Radio() { return rig_.p.radio->demo.Radio(); }
  std::string Key(const char* key, int line = 0) { return rig_.p.mainOverlay.GetLine(key, line); }
  void Trigger(const char* label) {
    auto* action = Window().menuBar()->findChild<QAction*>(QString::fromLatin1(label));
    ASSERT_NE(action, nullptr) << label;
    ASSERT_TRUE(action->isEnabled()) << label;
    action->trigger();
  }
  bool Locked() { return !Window().centralWidget()->isEnabled(); }
  std::vector<std::string> AskedTexts() const {
    std::vector<std::string> texts;
    for (const auto& a : rig_.p.prompts.asked) texts.push_back(a.text);
    return texts;
  }

  TwoPorts ports_;
  DesktopRig rig_{true};
};

TEST_F(CloneWindows, AReadFillsTheSheetsWithTheRadiosDataAsAModifiedUntitledDocument) {
  // The program starts as a PMR; the demo radio holds an LMR image.
  ASSERT_EQ(rig_.p.radio->demo.LoadInitialImage(rig_.dir.Dir(), 0, rig_.p.prompts, rig_.p.mainOverlay), 0);
  ASSERT_FALSE(Main().OpenCloneFile(rig_.dir.Dir() + "RX93PMR.qcl", false));
  rig_.Settle();
  ASSERT_EQ(Main().ModelType(), 1);
  Trigger("CL_Menu_Clone_Read");
  rig_.p.clock.Advance(200);
  EXPECT_TRUE(Locked()) << "the window is locked while the radio talks";
  EXPECT_EQ(Main().CloneOutcome(), indMain::kCloneRunning);
  EXPECT_EQ(rig_.p.FinishClone(), 0);
  rig_.Settle();

  EXPECT_FALSE(Locked());
  EXPECT_FALSE(Window().CloneDialogs()->Progress()->isVisible());
  EXPECT_EQ(Main().ModelType(), 0) << "the model type of the radio's data";
  EXPECT_TRUE(Main().IsModified());
  EXPECT_EQ(Main().FileName(), "");
  EXPECT_TRUE(Window().isWindowModified());
  EXPECT_TRUE(Window().windowTitle().startsWith(QStringLiteral("Untitled")));
  for (int a = 0; a < cmcEeprom::kEepromSize; ++a)
    ASSERT_EQ(Main().Mirror().GetByte(a), Radio().Image().GetByte(a)) << a;
  // The tree and the sheets are the radio's: the LMR branch, its bank sheet on its channels.
  EXPECT_TRUE(Window().Tree()->ItemOf(0)->text(0).endsWith(QString::fromStdString(Key("GI_AppInd_Model", 0))));
  ASSERT_TRUE(desktop::OpenThroughTree(Window(), desktop::kLmrBank0, [this] { rig_.Settle(); }));
  cmcSheetModel& sheet = *Window().Sheet()->Model();
  datCh first(&Main().Working());
  const int row = sheet.Layout().FixedRows();
  int shown = 0;
  for (int col = 0; col < sheet.ColCount(); ++col) {
    if (sheet.Def().CellAt(col, row).label != CL_Mch_FreqR) continue;
    first.Load(datChKind::kLmr, sheet.Def().CellAt(col, row).index);
    const std::string text = sheet.CellText(col, row);
    EXPECT_EQ(std::stoull(text.substr(0, text.find('.'))), first.freqR / 1'000'000u) << text;
    ++shown;
  }
  EXPECT_EQ(shown, 1);
}

TEST_F(CloneWindows, AWriteWithNoChannelInUseShowsTheMessageWithoutTouchingThePort) {
  for (int n = 0; n < cmcImageMap::kChannelSlots; ++n)
    for (int i = 0; i < 4; ++i)
      Main().Working().SetByte(cmcImageMap::kChannelMain + cmcImageMap::kChannelMainSize * n + i, 0);
  rig_.p.prompts.asked.clear();
  Trigger("CL_Menu_Clone_Write");
  rig_.p.clock.Advance(2000);
  EXPECT_EQ(Main().CloneOutcome(), indMain::kCloneRefused);
  ASSERT_EQ(rig_.p.prompts.asked.size(), 1u);
  EXPECT_EQ(rig_.p.prompts.asked[0].icon, cmcPromptIcon::Error);
  EXPECT_EQ(rig_.p.prompts.asked[0].text, Key("GI_AppMess_CloneErr_NoActualCh"));
  EXPECT_EQ(Radio().OpenCount(), 0) << "the port was never opened";
  EXPECT_FALSE(Locked());
}

TEST_F(CloneWindows, AWriteToAPasswordProtectedRadioAsksForThePassword) {
  Radio().SetPassword("pw");
  Radio().GetIdentity().flags = cmcSimRadio::kFlagPassword;
  std::vector<std::string> steps;
  WhenShown<cuiPasswordDialog>([&](cuiPasswordDialog& d) {
    steps.push_back(d.windowTitle().toStdString());
    // Empty is refused and the dialog stays; the password is taken.
    d.Field(0)->clear();
    d.findChild<QPushButton*>("OK")->click();
    steps.push_back(d.isVisible() ? "open" : "closed");
    d.Field(0)->setText(QStringLiteral("pw"));
    d.findChild<QPushButton*>("OK")->click();
  });
  rig_.p.prompts.asked.clear();
  Trigger("CL_Menu_Clone_Write");
  EXPECT_EQ(rig_.p.FinishClone(), 0);
  EXPECT_EQ(steps, (std::vector<std::string>{Key("GI_AppInd_Opt_ClonePwd_Caption"), "open"}));
  EXPECT_EQ(AskedTexts(),
            (std::vector<std::string>{Key("GI_Mess_Confirm_CloneWrite"), Key("GI_AppInd_Opt_ClonePwd_OutofRange"),
                                      Key("GI_Mess_CloneWrite_Succeeded")}));
  EXPECT_EQ(rig_.p.environ.clonePassword, "pw");
  EXPECT_EQ(Radio().WritesServed(), 1);
}

TEST_F(CloneWindows, TheProgressWindowShowsSixteenSegmentsAtHalfTheBytes) {
  Radio().SetRate(4);  // about 38400 baud
  Trigger("CL_Menu_Clone_Read");
  cuiProgressWindow& progress = *Window().CloneDialogs()->Progress();
  indCloneMan& clone = *Main().CloneMan();
  for (int ms = 0; ms < 600000 && progress.Filled() < 16; ++ms) rig_.p.clock.Advance(1);
  ASSERT_EQ(progress.Filled(), 16);
  ASSERT_TRUE(progress.isVisible());
  EXPECT_EQ(progress.windowTitle(), QStringLiteral("Cloning"));
  const double part = static_cast<double>(clone.TransferredBytes()) / clone.TotalBytes();
  EXPECT_GE(part, 16.0 / 33);
  EXPECT_LT(part, 17.0 / 33);

  const QImage image = progress.grab().toImage();
  const QRect box = progress.Box();
  ASSERT_EQ(box.size(), QSize(256, 14));
  const QColor highlight = progress.palette().color(QPalette::Highlight);
  const QColor window = progress.palette().color(QPalette::Base);
  const int y = box.center().y();
  int filled = 0;
  for (int i = 0; i < cuiProgressWindow::kSegments; ++i) {
    const int left = box.left() + i * 8;
    for (int x = left; x < left + 7; ++x)
      ASSERT_EQ(image.pixelColor(x, y), i < 16 ? highlight : window) << "segment " << i << " x " << x;
    EXPECT_EQ(image.pixelColor(left + 7, y), window) << "the gap after segment " << i;
    filled += image.pixelColor(left, y) == highlight;
  }
  EXPECT_EQ(filled, 16);

  // Neither the progress window nor the main window closes while the radio talks.
  EXPECT_FALSE(progress.close());
  EXPECT_TRUE(progress.isVisible());
  EXPECT_FALSE(Window().close());
  EXPECT_TRUE(Locked());
  EXPECT_EQ(rig_.p.FinishClone(), 0);
  EXPECT_FALSE(progress.isVisible());
}

TEST_F(CloneWindows, APortThatCannotBeOpenedShowsTheCode2MessageWithItsNumber) {
  rig_.p.radio->ports.SetEntry(200, rig_.dir.Dir() + "no-such-tty");
  rig_.p.environ.comPort = 200;
  rig_.p.prompts.asked.clear();
  Trigger("CL_Menu_Clone_Info");
  EXPECT_EQ(rig_.p.FinishClone(), 2);
  ASSERT_EQ(rig_.p.prompts.asked.size(), 1u);
  const auto& box = rig_.p.prompts.asked[0];
  EXPECT_EQ(box.icon, cmcPromptIcon::Error);
  EXPECT_EQ(box.caption, Key("GI_Sys_AppTitle"));
  QString headline = QString::fromStdString(Key("GI_Mess_CloneErr_Head", 2));
  headline.replace(QStringLiteral("%1"), QStringLiteral("200"));
  EXPECT_TRUE(QString::fromStdString(box.text).startsWith(headline)) << box.text;
  EXPECT_TRUE(QString::fromStdString(box.text).contains(QStringLiteral("200"))) << box.text;
  EXPECT_FALSE(Locked());
}

TEST_F(CloneWindows, TheInformationBoxShowsTheRadiosRecordAndLocksTheWindowUntilClosed) {
  Trigger("CL_Menu_Clone_Info");
  EXPECT_EQ(rig_.p.FinishClone(), 0);
  auto* box = Window().findChild<cuiInformation*>("InformationBox");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->windowTitle().toStdString(), Key("GI_Sys_AppTitle"));
  EXPECT_TRUE(Locked()) << "the main window takes no input while the box is open";
  EXPECT_TRUE(rig_.p.main.sheetWindowOpen);
  EXPECT_FALSE(Window().close());
  // Sized to the sheet: no scroll bar, every cell in view.
  cmcSheetModel& sheet = *box->Sheet()->Model();
  EXPECT_EQ(box->Sheet()->size(), box->Sheet()->RequiredSize());
  EXPECT_FALSE(box->Sheet()->Grid()->verticalScrollBar()->isVisible());
  bool serial = false;
  for (int row = 0; row < sheet.RowCount(); ++row)
    for (int col = 0; col < sheet.ColCount(); ++col)
      serial |= sheet.CellText(col, row).find("8228-01-0000291") != std::string::npos;
  EXPECT_TRUE(serial) << "the serial number of the radio (202401000123, read as hexadecimal)";
  QPointer<cuiInformation> guard(box);
  QTest::keyClick(box->Button(), Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(guard.isNull()) << "Escape closes and frees the box";
  EXPECT_FALSE(Locked());
  EXPECT_FALSE(rig_.p.main.sheetWindowOpen);
}

TEST_F(CloneWindows, ThePortChooserListsTheDevicesAndTheDemoRadioWhichCanBeReadEditedAndWritten) {
  rig_.p.environ.comPort = 1;
  std::vector<std::string> entries;
  WhenShown<cuiPortChooser>([&](cuiPortChooser& c) {
    QComboBox* list = c.List();
    list->showPopup();  // read again as it drops down
    for (int i = 0; i < list->count(); ++i) entries.push_back(list->itemText(i).toStdString());
    list->hidePopup();
    list->setCurrentIndex(list->count() - 1);
    c.findChild<QPushButton*>("OK")->click();
  });
  Trigger("CL_Menu_Port_ComList2");
  EXPECT_EQ(entries,
            (std::vector<std::string>{"33: FT232R USB UART (ttyUSB0) \xE2\x80\x94 usb-FTDI_FT232R_A10K-if00-port0",
                                      "256: " + Key("GI_AppInd_Opt_ComSel_DemoRadio")}));
  ASSERT_EQ(rig_.p.environ.comPort, cmcDemoRadio::kPort);

  // Read, edit one channel's frequency, write back: the radio holds the edit.
  rig_.p.radio->demo.LoadInitialImage(rig_.dir.Dir(), 0, rig_.p.prompts, rig_.p.mainOverlay);
  Trigger("CL_Menu_Clone_Read");
  ASSERT_EQ(rig_.p.FinishClone(), 0);
  rig_.Settle();
  ASSERT_TRUE(desktop::OpenThroughTree(Window(), desktop::kLmrBank0, [this] { rig_.Settle(); }));
  const int channel = desktop::TypeFirstChannelFrequency(Window(), "450.006");
  ASSERT_GE(channel, 0);
  Trigger("CL_Menu_Clone_Write");
  ASSERT_EQ(rig_.p.FinishClone(), 0);
  // Read back: the radio gives the edited channel.
  Main().SetModified(false);
  Trigger("CL_Menu_Clone_Read");
  ASSERT_EQ(rig_.p.FinishClone(), 0);
  datCh readBack(&Main().Working());
  readBack.Load(datChKind::kLmr, channel);
  EXPECT_EQ(readBack.freqR, 450'006'250u);
}

TEST_F(CloneWindows, ThePortChooserRefusesNumbersOutsideOneTo256AndKeepsTheInput) {
  struct Case {
    int style;
    std::vector<const char*> typed;  // the last is taken
    int chosen;
  };
  const Case cases[] = {{0, {"0", "257", "abc", " 12 "}, 12}, {1, {"", "256"}, 256}};
  for (const Case& c : cases) {
    rig_.p.prompts.asked.clear();
    int refusedOpen = 0;
    WhenShown<cuiPortChooser>([&](cuiPortChooser& chooser) {
      for (const char* text : c.typed) {
        chooser.Edit()->setText(QString::fromLatin1(text));
        chooser.findChild<QPushButton*>("OK")->click();
        refusedOpen += chooser.isVisible();
      }
    });
    Trigger(c.style == 0 ? "CL_Menu_Port_ComList0" : "CL_Menu_Port_ComList1");
    EXPECT_EQ(rig_.p.environ.comPort, c.chosen) << c.style;
    EXPECT_EQ(refusedOpen, static_cast<int>(c.typed.size()) - 1) << c.style;
    ASSERT_EQ(rig_.p.prompts.asked.size(), c.typed.size() - 1) << c.style;
    for (const auto& asked : rig_.p.prompts.asked) EXPECT_EQ(asked.text, Key("GI_AppInd_Opt_ComSel_OutofRange"));
  }
}

TEST_F(CloneWindows, TheReadWriteAndAdjustmentPasswordDialogs) {
  struct Case {
    const char* name;
    cuiPasswordDialog::Kind kind;
    const char* first;
    const char* second;
    bool closes;
  };
  const Case cases[] = {
      {"equal", cuiPasswordDialog::Kind::ReadWrite, "abc", "abc", true},
      {"both empty: no password", cuiPasswordDialog::Kind::ReadWrite, "", "", true},
      {"blanks only", cuiPasswordDialog::Kind::ReadWrite, "   ", "   ", false},
      {"not equal", cuiPasswordDialog::Kind::ReadWrite, "abc", "abd", false},
      {"adjustment code", cuiPasswordDialog::Kind::Adjust, "adj", nullptr, true},
      {"wrong adjustment code closes too", cuiPasswordDialog::Kind::Adjust, "adx", nullptr, true},
  };
  for (const Case& c : cases) {
    rig_.p.prompts.asked.clear();
    cuiPasswordDialog d(c.kind, rig_.p.mainOverlay, rig_.p.prompts, &Window(), "old", "adj");
    if (c.kind == cuiPasswordDialog::Kind::ReadWrite) {
      EXPECT_EQ(d.Field(1)->text(), QStringLiteral("old")) << "prefilled";
      d.Field(1)->setText(QString::fromLatin1(c.second));
    }
    EXPECT_EQ(d.Field(0)->echoMode(), QLineEdit::Password);
    d.Field(0)->setText(QString::fromLatin1(c.first));
    d.show();
    d.findChild<QPushButton*>("OK")->click();
    EXPECT_EQ(!d.isVisible(), c.closes) << c.name;
    const bool refused = !c.closes || (c.kind == cuiPasswordDialog::Kind::Adjust && !d.Matched());
    EXPECT_EQ(rig_.p.prompts.asked.size(), refused ? 1u : 0u) << c.name;
  }
}

TEST_F(CloneWindows, AdjustmentReadsAreAllowedOnceTheDialogTakesTheCode) {
  rig_.p.environ.adjustModeCode = "adj";
  int asked = 0;
  WhenShown<cuiPasswordDialog>([&](cuiPasswordDialog& d) {
    ++asked;
    d.Field(0)->setText("adj");
    d.findChild<QPushButton*>("OK")->click();
  });
  EXPECT_TRUE(rig_.p.main.AllowAdjustRead());
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(rig_.p.main.AllowAdjustRead()) << "not asked again";
  EXPECT_EQ(asked, 1);
}

}  // namespace
