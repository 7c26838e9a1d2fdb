#include "app/ui/filter_choices.h"

#include <QStringList>

namespace vistrel {

QVector<FilterChoice> ParseFilterText(const QString& filterText) {
  const QStringList parts = filterText.split(QLatin1Char('|'));
  QVector<FilterChoice> choices;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) choices.push_back({parts[i], parts[i + 1]});
  return choices;
}

}  // namespace vistrel
