// Documents through the main window's widgets: every path that would replace the
// image asks about unsaved changes and Cancel keeps it; a refused clone file shows its
// message and leaves the document as it was; Save As names the document, heads the
// recent files (an "&" in a path shown as itself) and the caption follows; the file
// dialogs carry the overlay's extension and filter.
#include <gtest/gtest.h>

#include <QAction>
#include <QDropEvent>
#include <QFileDialog>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <functional>
#include <vector>

#include "image/cmcImageMap.h"
#include "image/cmcQclFile.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "shell/indImagePacking.h"
#include "shell/ui/cuiQtPrompts.h"
#include "support/DesktopRig.h"

namespace {

constexpr int kComment = cmcImageMap::kCloneComments;  // a byte an edit may change freely

QAction* MenuAction(cuiMainWindow& w, const QString& name) {
  auto* action = w.menuBar()->findChild<QAction*>(name);
  EXPECT_NE(action, nullptr) << name.toStdString();
  return action;
}

void Trigger(cuiMainWindow& w, const char* name) {
  if (QAction* action = MenuAction(w, QString::fromLatin1(name))) action->trigger();
}

cmcEeprom Copy(const cmcEeprom& image) {
  cmcEeprom copy;
  copy.Assign(image);
  return copy;
}

void Edit(DesktopRig& rig, char value) {
  rig.p.main.Working().SetByte(kComment, static_cast<uint8_t>(value));
  rig.p.main.MarkModifiedIfChanged();
}

void Drop(cuiMainWindow& w, const std::string& path) {
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&w, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&w, &drop);
}

size_t CountSaveQuestions(const cmcScriptedPrompts& prompts) {
  size_t n = 0;
  for (const auto& a : prompts.asked) n += a.buttons == cmcPromptButtons::YesNoCancel;
  return n;
}

TEST(Documents, EveryPathThatReplacesTheImageAsksAndCancelKeepsIt) {
  struct Case {
    const char* name;
    std::vector<cmcPromptAnswer> answers;  // the last one answers the unsaved-changes question
    std::function<void(DesktopRig&, const std::string& other)> act;
  };
  const Case cases[] = {
      {"File New",
       {cmcPromptAnswer::Cancel},
       [](DesktopRig& r, const std::string&) { Trigger(*r.window, "CL_Menu_File_New"); }},
      {"File Open",
       {cmcPromptAnswer::Cancel},
       [](DesktopRig& r, const std::string&) { Trigger(*r.window, "CL_Menu_File_Open"); }},
      {"recent file",
       {cmcPromptAnswer::Cancel},
       [](DesktopRig& r, const std::string& other) {
         r.p.environ.recent.AddFront(other);
         r.p.events.Send(kEvCommandStates);
         Trigger(*r.window, "CL_Menu_File_Recent[0]");
       }},
      {"file drop", {cmcPromptAnswer::Cancel}, [](DesktopRig& r, const std::string& other) { Drop(*r.window, other); }},
      {"model type",
       {cmcPromptAnswer::Ok, cmcPromptAnswer::Cancel},
       [](DesktopRig& r, const std::string&) { Trigger(*r.window, "CL_Model_Lmr"); }},
      {"closing the window",
       {cmcPromptAnswer::Cancel},
       [](DesktopRig& r, const std::string&) { EXPECT_FALSE(r.window->close()); }},
  };
  for (const Case& c : cases) {
    DesktopRig rig;
    cuiMainWindow& w = rig.Build();
    const std::string other = rig.p.SaveVariant(rig.dir, "other.qcl", [](cmcEeprom& i) { i.SetByte(kComment, 'O'); });
    const int type = rig.p.main.ModelType();
    Edit(rig, 'E');
    const cmcEeprom before = Copy(rig.p.main.Working());
    rig.p.prompts.asked.clear();
    rig.p.prompts.answers.assign(c.answers.begin(), c.answers.end());

    c.act(rig, other);
    rig.Settle();

    EXPECT_EQ(CountSaveQuestions(rig.p.prompts), 1u) << c.name;
    ASSERT_EQ(rig.p.prompts.asked.size(), c.answers.size()) << c.name << ": nothing else is asked or shown";
    if (c.answers.size() == 2) {  // the model type's own caution comes first
      EXPECT_EQ(rig.p.prompts.asked[0].text, rig.p.mainOverlay.GetText("GI_AppMess_ChangeModel")) << c.name;
    }
    const auto& question = rig.p.prompts.asked.back();
    EXPECT_EQ(question.buttons, cmcPromptButtons::YesNoCancel) << c.name;
    EXPECT_EQ(question.icon, cmcPromptIcon::Warning) << c.name;
    EXPECT_EQ(question.text, "The radio data in Untitled has changed. Do you want to save the changes?") << c.name;
    EXPECT_TRUE(rig.p.prompts.dialogs.empty()) << c.name << ": no file dialog after Cancel";
    EXPECT_TRUE(rig.p.main.Working().Equals(before)) << c.name << ": the image's bytes are unchanged";
    EXPECT_TRUE(rig.p.main.IsModified()) << c.name;
    EXPECT_TRUE(w.isWindowModified()) << c.name;
    EXPECT_EQ(rig.p.main.FileName(), "") << c.name;
    EXPECT_EQ(rig.p.main.ModelType(), type) << c.name;
    EXPECT_TRUE(w.isVisible()) << c.name;
  }
}

TEST(Documents, OpenOfEachRefusedCloneFileShowsItsMessageAndKeepsTheDocument) {
  DesktopRig rig;
  cuiMainWindow& w = rig.Build();
  const std::string fixtures = std::string(RX93_TEST_DATA) + "/image/";
  const std::string dir = rig.dir.Dir();
  const std::string version2 = rig.p.SaveVariant(rig.dir, "version2.qcl", [](cmcEeprom& i) { i.SetByte(258, 2); });
  const int type = rig.p.main.ModelType();
  const std::string newer = rig.p.SaveVariant(rig.dir, "newer.qcl", [type](cmcEeprom& i) {
    i.SetByte(cmcImageMap::kDataRevision, 2);
    PackImage(i, type);
  });
  const std::string missingByte = dir + "missing_last_byte.qcl";
  {
    cmcScriptedPrompts quiet;
    cmcEeprom image = Copy(rig.p.main.Working());
    cmcQclFile file(quiet, rig.p.mainOverlay);
    file.AttachImage(image);
    file.SetModelCodes(0x3621, 1);
    file.SetMapRevision(1);
    ASSERT_EQ(file.Write(missingByte, {{0, cmcEeprom::kEepromSize - 2}}), 0);
  }
  struct Case {
    std::string path;
    const char* key;  // the message of the refusal
  };
  const Case cases[] = {
      {dir + "no such file.qcl", "GI_Mess_FileErr_FileOpen"},
      {fixtures + "foreign_model.qcl", "GI_Mess_FileErr_Model"},
      {fixtures + "foreign_sub_code.qcl", "GI_Mess_FileErr_Extra"},
      {fixtures + "map_revision_2.qcl", "GI_Mess_FileErr_MapRev"},
      {fixtures + "header_with_letter.qcl", "GI_Mess_FileErr_Format"},
      {fixtures + "empty.qcl", "GI_Mess_FileErr_Format"},
      {fixtures + "letter_g_in_data.qcl", "GI_Mess_FileErr_Format"},
      {fixtures + "count_longer_than_line.qcl", "GI_Mess_FileErr_Format"},
      {missingByte, "GI_Mess_FileErr_Coverage"},
      {fixtures + "address_past_image.qcl", "GI_Mess_FileErr_Data"},
      {version2, "GI_Mess_FileErr_Data"},
      {newer, "GI_Mess_FileErr_Newer"},
  };

  // A titled, edited document.
  const std::string good = rig.p.SaveVariant(rig.dir, "good.qcl", [](cmcEeprom& i) { i.SetByte(kComment, 'G'); });
  ASSERT_FALSE(rig.p.main.OpenCloneFile(good, false));
  Edit(rig, 'E');
  const cmcEeprom before = Copy(rig.p.main.Working());
  const QString caption = w.windowTitle();
  ASSERT_TRUE(w.isWindowModified());

  for (const Case& c : cases) {
    rig.p.prompts.asked.clear();
    rig.p.prompts.dialogs.clear();
    rig.p.prompts.answers = {cmcPromptAnswer::No};  // go on without saving
    rig.p.prompts.paths = {c.path};
    Trigger(w, "CL_Menu_File_Open");
    rig.Settle();

    ASSERT_EQ(rig.p.prompts.dialogs.size(), 1u) << c.path;
    EXPECT_EQ(rig.p.prompts.dialogs[0].defaultExtension, "qcl");
    EXPECT_EQ(rig.p.prompts.dialogs[0].filter, "Clone files (*.qcl);;All files (*)");
    EXPECT_FALSE(rig.p.prompts.dialogs[0].save);
    ASSERT_EQ(rig.p.prompts.asked.size(), 2u) << c.path << ": the question, then the one message";
    const auto& message = rig.p.prompts.asked[1];
    EXPECT_EQ(message.icon, cmcPromptIcon::Warning) << c.path;
    EXPECT_EQ(message.caption, "RX-93KIT Dealer");
    EXPECT_EQ(message.text.rfind(rig.p.mainOverlay.GetText("GI_Mess_FileErr_Headline"), 0), 0u) << message.text;
    EXPECT_NE(message.text.find(rig.p.mainOverlay.GetText(c.key)), std::string::npos) << c.path << "\n" << message.text;
    EXPECT_TRUE(rig.p.main.Working().Equals(before)) << c.path;
    EXPECT_EQ(rig.p.main.FileName(), good) << c.path;
    EXPECT_EQ(rig.p.environ.recent.DisplayName(0, ""), good) << c.path << ": a refused file is no recent file";
    EXPECT_EQ(w.windowTitle(), caption) << c.path;
    EXPECT_TRUE(w.isWindowModified()) << c.path;
    EXPECT_NE(rig.Host().Current(), nullptr) << c.path << ": a sheet is shown again";
  }
}

TEST(Documents, SaveAsNamesTheDocumentHeadsTheRecentFilesAndTheCaptionFollows) {
  DesktopRig rig;
  cuiMainWindow& w = rig.Build();
  EXPECT_EQ(w.windowTitle(), "Untitled[*] - RX-93KIT Dealer");
  const std::string first = rig.dir.Dir() + "R&D bench.qcl";
  const std::string second = rig.dir.Dir() + "second.qcl";

  Edit(rig, 'E');
  EXPECT_TRUE(w.isWindowModified());
  rig.p.prompts.paths = {first};
  Trigger(w, "CL_Menu_File_SaveAs");
  ASSERT_EQ(rig.p.prompts.dialogs.size(), 1u);
  EXPECT_TRUE(rig.p.prompts.dialogs[0].save);
  EXPECT_EQ(rig.p.prompts.dialogs[0].fileName, "Untitled");
  EXPECT_EQ(rig.p.prompts.dialogs[0].defaultExtension, "qcl");
  EXPECT_EQ(w.windowTitle(), "R&D bench.qcl[*] - RX-93KIT Dealer");
  EXPECT_FALSE(w.isWindowModified());

  QAction* recent0 = MenuAction(w, "CL_Menu_File_Recent[0]");
  QAction* recent1 = MenuAction(w, "CL_Menu_File_Recent[1]");
  ASSERT_TRUE(recent0 && recent1);
  EXPECT_TRUE(recent0->isVisible());
  EXPECT_TRUE(recent0->isEnabled());
  const QString shown = QString::fromStdString(first);
  EXPECT_EQ(recent0->text(), "&1 " + QString(shown).replace("&", "&&"));
  EXPECT_EQ(recent0->iconText(), "1 " + shown) << "the \"&\" is shown, not an accelerator";
  EXPECT_FALSE(recent1->isVisible()) << "an empty entry other than the first is hidden";

  // An edit marks the caption; Save writes to the same file without asking for a name.
  Edit(rig, 'F');
  EXPECT_TRUE(w.isWindowModified());
  Trigger(w, "CL_Menu_File_Save");
  EXPECT_EQ(rig.p.prompts.dialogs.size(), 1u);
  EXPECT_FALSE(w.isWindowModified());
  EXPECT_EQ(w.windowTitle(), "R&D bench.qcl[*] - RX-93KIT Dealer");

  // A second Save As heads the list; the first file moves down and opens from there.
  rig.p.prompts.paths = {second};
  Trigger(w, "CL_Menu_File_SaveAs");
  EXPECT_EQ(w.windowTitle(), "second.qcl[*] - RX-93KIT Dealer");
  EXPECT_EQ(recent0->iconText(), "1 " + QString::fromStdString(second));
  EXPECT_EQ(recent1->iconText(), "2 " + shown);
  EXPECT_TRUE(recent1->isVisible());
  Edit(rig, 'X');
  rig.p.prompts.answers = {cmcPromptAnswer::No};
  recent1->trigger();
  rig.Settle();
  EXPECT_EQ(rig.p.main.FileName(), first);
  EXPECT_EQ(rig.p.main.Working().GetByte(kComment), 'F') << "the saved edit came back from the file";
  EXPECT_EQ(w.windowTitle(), "R&D bench.qcl[*] - RX-93KIT Dealer");
  EXPECT_FALSE(w.isWindowModified());
  EXPECT_EQ(recent0->iconText(), "1 " + shown);
}

// The desktop's own prompts show Qt's file dialog with the overlay's extension and
// filter, in the working folder.
TEST(Documents, FileDialogsCarryTheExtensionFilterAndFolder) {
  EnsureApp();
  ProgramDir dir;
  const std::string existing = dir.Dir() + "RX93LMR.qcl";
  QWidget owner;
  cuiQtPrompts prompts(&owner);
  struct Seen {
    QString suffix;
    QStringList filters;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QFileDialog::AcceptMode accept = QFileDialog::AcceptOpen;
    QString folder;
    bool confirmOverwrite = false;
  };
  const auto answer = [](Seen& seen, const QString& file) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &seen, file] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QFileDialog*>(top);
        if (!box || !box->isVisible()) continue;
        poll->stop();
        poll->deleteLater();
        seen = {box->defaultSuffix(),
                box->nameFilters(),
                box->fileMode(),
                box->acceptMode(),
                box->directory().absolutePath(),
                !box->testOption(QFileDialog::DontConfirmOverwrite)};
        box->selectFile(file);
        static_cast<QDialog*>(box)->accept();  // as the dialog's Open or Save button
        return;
      }
    });
    poll->start(10);
  };
  cmcFileDialog open;
  open.defaultExtension = "qcl";
  open.filter = "Clone files (*.qcl);;All files (*)";
  open.folder = dir.Dir();
  Seen seen;
  answer(seen, QString::fromStdString(existing));
  const auto opened = prompts.AskFilePath(open);
  ASSERT_TRUE(opened.has_value());
  EXPECT_EQ(*opened, existing);
  EXPECT_EQ(seen.suffix, "qcl");
  EXPECT_EQ(seen.filters, QStringList({"Clone files (*.qcl)", "All files (*)"}));
  EXPECT_EQ(seen.mode, QFileDialog::ExistingFile) << "the file must exist";
  EXPECT_EQ(seen.accept, QFileDialog::AcceptOpen);
  EXPECT_EQ(seen.folder + "/", QString::fromStdString(dir.Dir()));

  cmcFileDialog save = open;
  save.save = true;
  save.fileName = "Untitled";
  answer(seen, QString::fromStdString(dir.Dir() + "Untitled"));
  const auto saved = prompts.AskFilePath(save);
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(*saved, dir.Dir() + "Untitled.qcl") << "the default extension is added";
  EXPECT_EQ(seen.accept, QFileDialog::AcceptSave);
  EXPECT_TRUE(seen.confirmOverwrite);
}

}  // namespace
