#pragma once

#include <QFont>
#include <QString>

namespace kestrune {

class Prompter;
class TextGrid;

// "保存", "コピー" and "印刷" of a statistics table. The file types are those of the scale value
// table ("テキストのみ" *.txt, "HTML文書" *.htm); the HTML title and the printed page header are
// the table's caption, " -" and the data file's path.
void saveStatisticsTable(Prompter& prompter, const TextGrid& grid, const QString& caption,
                         const QString& pathLabel);
void copyStatisticsTable(const TextGrid& grid);
void printStatisticsTable(Prompter& prompter, const TextGrid& grid, const QString& caption,
                          const QString& pathLabel, const QFont& font);

}  // namespace kestrune
