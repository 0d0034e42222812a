#include "platform/image_view.h"

#include "platform/canvas.h"
#include "platform/image.h"

namespace ui {

ImageView::ImageView() { setUserInteractionEnabled(false); }

ImageView::ImageView(std::shared_ptr<const Image> image) : ImageView() {
    if (image) setFrame({{0, 0}, image->size()});
    setImage(std::move(image));
}

void ImageView::setImage(std::shared_ptr<const Image> image) {
    image_ = std::move(image);
    setNeedsDisplay();
}

void ImageView::drawRect(Canvas& canvas, Rect rect) {
    if (!image_) return;
    canvas.saveGState();
    canvas.translateCTM(0, rect.minY() + rect.maxY());
    canvas.scaleCTM(1, -1);
    canvas.drawImage(*image_, rect);
    canvas.restoreGState();
}

std::shared_ptr<ImageView> makeCover(const View& screen, const std::string& imageName) {
    auto cover = std::make_shared<ImageView>(Image::named(imageName));
    cover->setBounds(screen.bounds());
    cover->setCenter(screen.center());
    cover->setAlpha(0);
    return cover;
}

} // namespace ui
