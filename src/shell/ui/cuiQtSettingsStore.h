#pragma once
// The settings store on QSettings INI files. A key "Software\<Org>\<App>\<Sub>..."
// lives in the file <Org>/<App>.ini of the user's configuration folder (CurrentUser,
// no fallbacks) or of the system's (LocalMachine, never written), its subkeys as INI
// groups. Integers are stored as decimal text; texts (UTF-8) round-trip exactly.
#include <QString>
#include <map>
#include <memory>
#include <utility>

#include "runtime/cmcSettingsStore.h"

class QSettings;

class cuiQtSettingsStore : public cmcSettingsStore {
 public:
  // The standard locations QSettings uses: $XDG_CONFIG_HOME (or ~/.config) and /etc/xdg.
  cuiQtSettingsStore();
  // Explicit configuration roots: <userBase>/<Org>/<App>.ini and <systemBase>/<Org>/<App>.ini.
  cuiQtSettingsStore(QString userBase, QString systemBase);
  ~cuiQtSettingsStore() override;

  bool KeyExists(cmcSettingsRoot root, const std::string& key) const override;
  std::optional<int32_t> ReadInt(cmcSettingsRoot root, const std::string& key, const std::string& name) const override;
  std::optional<std::string> ReadText(cmcSettingsRoot root, const std::string& key,
                                      const std::string& name) const override;
  bool WriteInt(cmcSettingsRoot root, const std::string& key, const std::string& name, int32_t value) override;
  bool WriteText(cmcSettingsRoot root, const std::string& key, const std::string& name,
                 const std::string& value) override;
  bool DeleteKey(cmcSettingsRoot root, const std::string& key, const std::string& subkey) override;
  // Writes every opened user file to disk; false when one could not be written.
  bool Flush() override;

  // The INI file that holds the key, or empty for a key outside "Software\<Org>\<App>".
  QString FilePath(cmcSettingsRoot root, const std::string& key) const;

 private:
  // The file and the group ("Sub/Sub2", empty at the application level) of a key.
  struct Location {
    QSettings* settings = nullptr;
    QString group;
  };
  Location Locate(cmcSettingsRoot root, const std::string& key) const;
  QSettings* Writable(cmcSettingsRoot root, const std::string& key, QString* group);

  bool standard_ = true;
  QString userBase_;
  QString systemBase_;
  // Opened files by root and "<Org>/<App>".
  mutable std::map<std::pair<int, QString>, std::unique_ptr<QSettings>> files_;
};
