#include "platform/ui/DataModule.h"

#include "platform/ui/Application.h"

TDataModule::TDataModule(TComponent* AOwner, const QString& Name) {
    setObjectName(Name);
    AttachToOwner(*this, AOwner);
}

TDataModule::~TDataModule() = default;

void TDataModule::DoCreate() {
    CallHandler([this] {
        if (OnCreate)
            OnCreate(this);
    });
}
