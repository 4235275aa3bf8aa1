#pragma once
// A list of pictures of one size, shared by tool bars.

#include "platform/ui/Handlers.h"
#include "platform/ui/Property.h"

#include <QObject>
#include <QPixmap>

#include <vector>

class TImageList : public QObject {
    Q_OBJECT

    int GetWidth() const { return width_; }
    void SetWidth(const int& width);
    int GetHeight() const { return height_; }
    void SetHeight(const int& height);

public:
    explicit TImageList(TComponent* AOwner = nullptr);

    // Size of every picture, in pixels; changing it empties the list.
    Property<TImageList, int, &TImageList::GetWidth, &TImageList::SetWidth> Width{this};
    Property<TImageList, int, &TImageList::GetHeight, &TImageList::SetHeight> Height{this};

    // Adds a picture, scaled to the list's size if it has another, and returns its index.
    int Add(const QPixmap& picture);
    int Count() const { return static_cast<int>(pictures_.size()); }
    // The picture at `index`; a null pixmap when there is none.
    QPixmap GetPixmap(int index) const;
    void Clear();

signals:
    void Change();

private:
    int width_ = 16;
    int height_ = 16;
    std::vector<QPixmap> pictures_;
};
