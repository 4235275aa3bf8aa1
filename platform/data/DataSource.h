#pragma once
// Connects a data set to its views (grids, detail data sets): they subscribe here and are told when the
// data set opens, closes, moves or changes a value.

#include <functional>
#include <vector>

class TDataSet;

enum class TDataEvent {
    DataSetChange, // opened, closed, re-read or re-ordered: everything may differ
    DataSetScroll, // the current row moved
    RecordChange,  // a value of the current row changed
    StateChange,   // browse, edit or insert began or ended
};

class TMyDataSource {
public:
    explicit TMyDataSource(TDataSet* dataSet = nullptr);
    ~TMyDataSource();
    TMyDataSource(const TMyDataSource&) = delete;
    TMyDataSource& operator=(const TMyDataSource&) = delete;

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);

    using Listener = std::function<void(TDataEvent)>;
    // Returns a token for Unsubscribe.
    int Subscribe(Listener listener);
    void Unsubscribe(int token);

    // Called by the data set.
    void Notify(TDataEvent event);
    void DataSetDestroyed() { dataSet_ = nullptr; }

private:
    TDataSet* dataSet_ = nullptr;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextToken_ = 1;
};
