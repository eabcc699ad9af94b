#include "shell/ui/cuiQtPrompts.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QMessageBox::Icon IconOf(cmcPromptIcon icon) {
  switch (icon) {
    case cmcPromptIcon::Error:
      return QMessageBox::Critical;
    case cmcPromptIcon::Warning:
      return QMessageBox::Warning;
    case cmcPromptIcon::Information:
      return QMessageBox::Information;
    case cmcPromptIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(cmcPromptButtons buttons) {
  switch (buttons) {
    case cmcPromptButtons::Ok:
      return QMessageBox::Ok;
    case cmcPromptButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case cmcPromptButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case cmcPromptButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

}  // namespace

cmcPromptAnswer cuiQtPrompts::Ask(cmcPromptIcon icon, cmcPromptButtons buttons, const std::string& caption,
                                  const std::string& text) {
  QMessageBox box(IconOf(icon), Q(caption), Q(text), ButtonsOf(buttons), owner_.data());
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  switch (box.exec()) {
    case QMessageBox::Ok:
      return cmcPromptAnswer::Ok;
    case QMessageBox::Yes:
      return cmcPromptAnswer::Yes;
    case QMessageBox::No:
      return cmcPromptAnswer::No;
    default:
      return cmcPromptAnswer::Cancel;
  }
}

std::optional<std::string> cuiQtPrompts::AskText(const std::string& caption, const std::string& prompt, bool secret) {
  bool ok = false;
  const QString text = QInputDialog::getText(owner_.data(), Q(caption), Q(prompt),
                                             secret ? QLineEdit::Password : QLineEdit::Normal, QString(), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

std::optional<std::string> cuiQtPrompts::AskFilePath(const cmcFileDialog& dialog) {
  QFileDialog box(owner_.data());
  box.setAcceptMode(dialog.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  box.setFileMode(dialog.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  box.setDefaultSuffix(Q(dialog.defaultExtension));
  // Filters are "Name (*.ext)" entries separated by ";;"; "Name|*.ext|…" pairs are taken too.
  QStringList filters;
  const QString filter = Q(dialog.filter);
  if (filter.contains('|')) {
    const QStringList parts = filter.split('|');
    for (int i = 0; i + 1 < parts.size(); i += 2)
      filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
  } else if (!filter.isEmpty()) {
    filters = filter.split(";;");
  }
  if (!filters.isEmpty()) box.setNameFilters(filters);
  if (!dialog.folder.empty()) box.setDirectory(Q(dialog.folder));
  if (!dialog.fileName.empty()) box.selectFile(Q(dialog.fileName));
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(box.selectedFiles().first()).toStdString();
}
