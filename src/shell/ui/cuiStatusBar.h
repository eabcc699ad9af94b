#pragma once
// The main window's status bar: panel 0, drawn by the program, shows the status text
// in its text colour on its background colour, vertically centred, and takes the
// width the other panel leaves (at least 100 pixels); panel 1 is as wide as the bar
// is high. Event 4 sets the text and both colours; they start as the window-text and
// button-face colours and an empty text.
#include <QColor>
#include <QStatusBar>
#include <QString>

class cmcEvMan;
struct cmcEvent;

class cuiStatusBar : public QStatusBar {
  Q_OBJECT
 public:
  static constexpr int kMinTextPanel = 100;

  cuiStatusBar(cmcEvMan& events, QWidget* parent = nullptr);
  ~cuiStatusBar() override;

  void SetStatus(const QString& text, const QColor& textColour, const QColor& background);
  const QString& Text() const;
  // Adds a panel of the program's before the last panel (the bar takes it over).
  void InsertBeforeLast(QWidget* panel);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  class TextPanel;
  void OnEvent(cmcEvent& event);

  cmcEvMan& events_;
  TextPanel* text_;
  QWidget* corner_;
  int inserted_ = 0;  // panels inserted before the corner
};
