#include "platform/data/DataSource.h"

#include "platform/data/DataSet.h"

TMyDataSource::TMyDataSource(TDataSet* dataSet) {
    SetDataSet(dataSet);
}

TMyDataSource::~TMyDataSource() {
    if (dataSet_)
        dataSet_->DetachSource(this);
}

void TMyDataSource::SetDataSet(TDataSet* dataSet) {
    if (dataSet_ == dataSet)
        return;
    if (dataSet_)
        dataSet_->DetachSource(this);
    dataSet_ = dataSet;
    if (dataSet_)
        dataSet_->AttachSource(this);
    Notify(TDataEvent::DataSetChange);
}

int TMyDataSource::Subscribe(Listener listener) {
    const int token = nextToken_++;
    listeners_.emplace_back(token, std::move(listener));
    return token;
}

void TMyDataSource::Unsubscribe(int token) {
    std::erase_if(listeners_, [token](const auto& l) { return l.first == token; });
}

void TMyDataSource::Notify(TDataEvent event) {
    // A listener may subscribe or unsubscribe while being told: work on a copy.
    const auto listeners = listeners_;
    for (const auto& [token, listener] : listeners)
        listener(event);
}
