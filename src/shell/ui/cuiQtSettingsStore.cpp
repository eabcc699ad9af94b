#include "shell/ui/cuiQtSettingsStore.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace {

struct KeyParts {
  QString org;
  QString app;
  QString group;
  bool valid = false;
};

// "Software\Org\App\Sub\Sub2" -> Org, App, "Sub/Sub2".
KeyParts Split(const std::string& key) {
  const QStringList parts = QString::fromStdString(key).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
  KeyParts k;
  if (parts.size() < 3 || parts[0].compare(QLatin1String("Software"), Qt::CaseInsensitive) != 0) return k;
  k.org = parts[1];
  k.app = parts[2];
  k.group = parts.mid(3).join(QLatin1Char('/'));
  k.valid = true;
  return k;
}

QString Join(const QString& group, const QString& name) {
  return group.isEmpty() ? name : group + QLatin1Char('/') + name;
}

}  // namespace

cuiQtSettingsStore::cuiQtSettingsStore() = default;

cuiQtSettingsStore::cuiQtSettingsStore(QString userBase, QString systemBase)
    : standard_(false), userBase_(std::move(userBase)), systemBase_(std::move(systemBase)) {}

cuiQtSettingsStore::~cuiQtSettingsStore() { Flush(); }

cuiQtSettingsStore::Location cuiQtSettingsStore::Locate(cmcSettingsRoot root, const std::string& key) const {
  const KeyParts k = Split(key);
  if (!k.valid) return {};
  auto& slot = files_[{static_cast<int>(root), k.org + QLatin1Char('/') + k.app}];
  if (!slot) {
    const bool user = root == cmcSettingsRoot::CurrentUser;
    if (standard_) {
      slot = std::make_unique<QSettings>(QSettings::IniFormat, user ? QSettings::UserScope : QSettings::SystemScope,
                                         k.org, k.app);
    } else {
      const QString base = user ? userBase_ : systemBase_;
      slot = std::make_unique<QSettings>(
          base + QLatin1Char('/') + k.org + QLatin1Char('/') + k.app + QLatin1String(".ini"), QSettings::IniFormat);
    }
    slot->setFallbacksEnabled(false);
  }
  return {slot.get(), k.group};
}

QSettings* cuiQtSettingsStore::Writable(cmcSettingsRoot root, const std::string& key, QString* group) {
  if (root != cmcSettingsRoot::CurrentUser) return nullptr;
  const Location at = Locate(root, key);
  if (!at.settings || !at.settings->isWritable()) return nullptr;
  *group = at.group;
  return at.settings;
}

QString cuiQtSettingsStore::FilePath(cmcSettingsRoot root, const std::string& key) const {
  const Location at = Locate(root, key);
  return at.settings ? at.settings->fileName() : QString();
}

bool cuiQtSettingsStore::KeyExists(cmcSettingsRoot root, const std::string& key) const {
  const Location at = Locate(root, key);
  if (!at.settings) return false;
  if (!at.group.isEmpty()) at.settings->beginGroup(at.group);
  const bool exists = !at.settings->allKeys().isEmpty();
  if (!at.group.isEmpty()) at.settings->endGroup();
  return exists;
}

std::optional<int32_t> cuiQtSettingsStore::ReadInt(cmcSettingsRoot root, const std::string& key,
                                                   const std::string& name) const {
  const Location at = Locate(root, key);
  if (!at.settings) return std::nullopt;
  const QVariant v = at.settings->value(Join(at.group, QString::fromStdString(name)));
  // A file holds text; a value set in this session may still be held as a number.
  if (v.typeId() != QMetaType::QString && v.typeId() != QMetaType::Int) return std::nullopt;
  bool ok = false;
  const int n = v.toString().toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return n;
}

std::optional<std::string> cuiQtSettingsStore::ReadText(cmcSettingsRoot root, const std::string& key,
                                                        const std::string& name) const {
  const Location at = Locate(root, key);
  if (!at.settings) return std::nullopt;
  const QVariant v = at.settings->value(Join(at.group, QString::fromStdString(name)));
  if (v.typeId() != QMetaType::QString && v.typeId() != QMetaType::Int) return std::nullopt;
  return v.toString().toStdString();
}

bool cuiQtSettingsStore::WriteInt(cmcSettingsRoot root, const std::string& key, const std::string& name,
                                  int32_t value) {
  QString group;
  QSettings* s = Writable(root, key, &group);
  if (!s) return false;
  s->setValue(Join(group, QString::fromStdString(name)), static_cast<int>(value));
  return s->status() == QSettings::NoError;
}

bool cuiQtSettingsStore::WriteText(cmcSettingsRoot root, const std::string& key, const std::string& name,
                                   const std::string& value) {
  QString group;
  QSettings* s = Writable(root, key, &group);
  if (!s) return false;
  // An explicit empty (not null) text, so an empty value is stored as such.
  QString text = QString::fromStdString(value);
  if (text.isNull()) text = QLatin1String("");
  s->setValue(Join(group, QString::fromStdString(name)), text);
  return s->status() == QSettings::NoError;
}

bool cuiQtSettingsStore::DeleteKey(cmcSettingsRoot root, const std::string& key, const std::string& subkey) {
  if (!KeyExists(root, key)) return false;
  QString group;
  QSettings* s = Writable(root, key, &group);
  if (!s) return false;
  const QString sub =
      QString::fromStdString(subkey).split(QLatin1Char('\\'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
  if (sub.isEmpty()) return false;
  s->remove(Join(group, sub));
  return s->status() == QSettings::NoError;
}

bool cuiQtSettingsStore::Flush() {
  bool ok = true;
  for (auto& [id, settings] : files_) {
    if (id.first != static_cast<int>(cmcSettingsRoot::CurrentUser)) continue;
    settings->sync();
    ok = ok && settings->status() == QSettings::NoError;
  }
  return ok;
}
