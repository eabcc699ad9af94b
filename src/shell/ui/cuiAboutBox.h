#pragma once
// The About box: the application icon beside the label of indAboutText and one button
// that is both the default and the cancel button; a fixed-size dialog without minimise
// or maximise buttons, centred over its owner.
#include <QDialog>

class QLabel;
class QPushButton;
class indAboutText;

class cuiAboutBox : public QDialog {
  Q_OBJECT
 public:
  cuiAboutBox(const indAboutText& text, QWidget* owner);

  QLabel* Label() const { return label_; }
  QPushButton* Button() const { return button_; }

 private:
  QLabel* label_;
  QPushButton* button_;
};
