#pragma once
// The data module: a non-visual container of a program's data components, created like a form.

#include "platform/ui/Handlers.h"

#include <QObject>
#include <QString>

class TDataModule : public QObject {
public:
    // `Name` is the module's component name (as in "DM"); the owner destroys the module when it goes.
    explicit TDataModule(TComponent* AOwner, const QString& Name = QString());
    ~TDataModule() override;

    TNotifyEvent OnCreate;

    // Runs OnCreate through the handler guard; whoever creates the module calls it once it exists.
    void DoCreate();
};
