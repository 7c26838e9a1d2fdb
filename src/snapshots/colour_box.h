#pragma once

#include <QComboBox>

namespace vistrel {

// A choice among the standard named colours, each with a swatch; a stored colour that is not
// among them gets an entry of its own so it is never changed behind the user's back.
class ColourBox : public QComboBox {
  Q_OBJECT

 public:
  explicit ColourBox(QWidget* parent = nullptr);

  // 0x00BBGGRR values, as the settings store them.
  int Value() const;
  void SetValue(int value);

 private:
  void AddColour(const QString& name, int value);
};

}  // namespace vistrel
