#include "platform/ui/ImgList.h"

#include "platform/ui/Application.h"

#include <algorithm>

TImageList::TImageList(TComponent* AOwner) {
    AttachToOwner(*this, AOwner);
}

void TImageList::SetWidth(const int& width) {
    width_ = std::max(1, width);
    Clear();
}

void TImageList::SetHeight(const int& height) {
    height_ = std::max(1, height);
    Clear();
}

int TImageList::Add(const QPixmap& picture) {
    const QSize size(width_, height_);
    pictures_.push_back(picture.size() == size
                            ? picture
                            : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    emit Change();
    return Count() - 1;
}

QPixmap TImageList::GetPixmap(int index) const {
    if (index < 0 || index >= Count())
        return {};
    return pictures_[static_cast<std::size_t>(index)];
}

void TImageList::Clear() {
    pictures_.clear();
    emit Change();
}
