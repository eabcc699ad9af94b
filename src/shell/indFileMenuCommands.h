#pragma once
// The menu items the model controller serves on its own: File New, Open, Save and
// Save As run the document operations.
class indMain;
class indMenuCommandTable;

class indFileMenuCommands {
 public:
  static void Register(indMenuCommandTable& table, indMain& main);
};
