#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace strumwise::platform {

// A named image resource as the toolkit loaded it. Platforms subclass it to carry pixels.
class Image {
  public:
    virtual ~Image() = default;
    virtual std::string_view name() const = 0;
};

using ImageRef = std::shared_ptr<const Image>;

// The named-image lookup over the application's resources.
class Images {
  public:
    virtual ~Images() = default;
    // The image of that file name (for example "green64.png"), or nullptr when it is missing.
    virtual ImageRef imageNamed(std::string_view name) const = 0;
};

// The views the screen logic writes to. All calls on the main thread.
class Label {
  public:
    virtual ~Label() = default;
    // Shows exactly `text`, the empty text included.
    virtual void setText(std::string_view text) = 0;
};

class ImageView {
  public:
    virtual ~ImageView() = default;
    // nullptr leaves the view empty.
    virtual void setImage(ImageRef image) = 0;
    // A hidden view keeps its image.
    virtual void setHidden(bool hidden) = 0;
};

class Button {
  public:
    virtual ~Button() = default;
    // The title of the normal control state.
    virtual void setTitle(std::string_view title) = 0;
    virtual void setHidden(bool hidden) = 0;
};

}  // namespace strumwise::platform
