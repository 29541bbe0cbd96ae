#include "ui/common/SexGroupChooser.h"

#include <QSignalBlocker>

#include "analysis/DataFileChoices.h"

namespace kestrune {

SexGroupChooser::SexGroupChooser(QWidget* parent) : QComboBox(parent) {
    for (TSexGroup group : kAllSexGroups) {
        const std::string_view label = sexGroupChooserLabel(group);
        addItem(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
    }
    setCurrentIndex(0);
}

bool SexGroupChooser::chooseGroupWithData(const StudyDisk& disk, std::string_view series) {
    if (series.empty() || !dataFileChoices(disk, group(), series).empty())
        return false;
    for (TSexGroup candidate : kAllSexGroups) {
        if (dataFileChoices(disk, candidate, series).empty())
            continue;
        const QSignalBlocker quiet(this);
        setCurrentIndex(static_cast<int>(candidate));
        return true;
    }
    return false;
}

}  // namespace kestrune
