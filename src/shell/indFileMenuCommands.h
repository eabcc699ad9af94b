#pragma once
// The menu items the model controller and the settings serve on their own: File New,
// Open, Save and Save As run the document operations, and Port Speed High and View
// Tool Bar toggle their settings and are ticked while on.
class indEnviron;
class indMain;
class indMenuCommandTable;

class indFileMenuCommands {
 public:
  static void Register(indMenuCommandTable& table, indMain& main, indEnviron& environ);
};
