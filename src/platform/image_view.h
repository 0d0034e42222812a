#pragma once

#include "platform/view.h"

#include <memory>
#include <string>

namespace ui {

class Image;

// Shows one image stretched over its bounds. Takes no touches unless enabled.
class ImageView : public View {
public:
    ImageView();
    // Framed at the image's own size, from the superview's origin.
    explicit ImageView(std::shared_ptr<const Image> image);

    const std::shared_ptr<const Image>& image() const { return image_; }
    void setImage(std::shared_ptr<const Image> image);

    void drawRect(Canvas& canvas, Rect rect) override;

private:
    std::shared_ptr<const Image> image_;
};

// A transparent image view over the whole of `screen`, waiting to be shown:
// the covers and backdrops behind menus and panels.
std::shared_ptr<ImageView> makeCover(const View& screen, const std::string& imageName);

} // namespace ui
