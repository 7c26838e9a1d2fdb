#pragma once

#include <QString>
#include <QVector>

namespace vistrel {

struct FilterChoice {
  QString description;
  QString patterns;  // "*.htm;*.jpg"
};

// Splits a filter text "description|patterns|description|patterns..." into its pairs; a
// trailing description without patterns is dropped.
QVector<FilterChoice> ParseFilterText(const QString& filterText);

}  // namespace vistrel
