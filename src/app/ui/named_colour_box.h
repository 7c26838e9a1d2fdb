#pragma once

#include <QComboBox>

namespace vistrel {

// A colour box of the sixteen standard named colours; values are 0x00BBGGRR.
class NamedColourBox : public QComboBox {
  Q_OBJECT
 public:
  explicit NamedColourBox(QWidget* parent = nullptr);
  // Selects the named colour of that value, or no entry when it has no name.
  void SetColour(int value);
  // The chosen value, or -1 when none is chosen.
  int Colour() const;

 Q_SIGNALS:
  void ColourChosen(int value);
};

}  // namespace vistrel
