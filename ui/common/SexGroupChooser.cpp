#include "ui/common/SexGroupChooser.h"

namespace kestrune {

SexGroupChooser::SexGroupChooser(QWidget* parent) : QComboBox(parent) {
    for (TSexGroup group : kAllSexGroups) {
        const std::string_view label = sexGroupChooserLabel(group);
        addItem(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
    }
    setCurrentIndex(0);
}

}  // namespace kestrune
