#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "ui/series/SeriesFileOperations.h"

class QWidget;

namespace kestrune {

struct AppContext;

// What the series page's commands do: the wizard for a new series, delete and rename of a
// whole series, each followed by the catalogue reload it needs.
class SeriesActions : public QObject {
    Q_OBJECT
  public:
    using Reload = std::function<void(bool full)>;

    SeriesActions(AppContext& context, Reload reload, QObject* parent = nullptr);

    // Where deleted series go; tests put a failing mover here.
    void setTrashMover(TrashMover mover) { trashMover_ = std::move(mover); }

    // Runs the series wizard modally, then reloads the whole catalogue whatever it ended with.
    void addSeries(const QString& driveText, QWidget* owner);
    // Asks first; then trashes the series' places together. True when the series went.
    bool deleteSeries(const QString& series);
    // True when every step went through (the caller shows the new name).
    bool renameSeries(const QString& oldName, const QString& newName);

  private:
    AppContext& context_;
    Reload reload_;
    TrashMover trashMover_ = moveToDesktopTrash;
};

}  // namespace kestrune
