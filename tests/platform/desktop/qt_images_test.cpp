// Every picture the screen logic names resolves to a drawn image of a sensible size, and image
// views show and keep them as the toolkit promises.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/desktop/qt_image_view_widget.h"
#include "platform/desktop/qt_images.h"
#include "platform/desktop/qt_views.h"
#include "qt_test_app.h"

namespace strumwise::platform::desktop {
namespace {

std::vector<std::string> everyProductImage() {
    std::vector<std::string> names{"green64.png",      "green128.png",     "yellow64.png",
                                   "yellow128.png",    "chartiphone.png",  "chartiphone2.png",
                                   "chartiphone3.png", "chartiphone4.png", "chartipad.png",
                                   "chartipad2.png",   "chartipad3.png",   "chartipad4.png"};
    for (const char* ordinal : {"1st", "2nd", "3rd", "4th", "5th"}) {
        for (const char* suffix : {"", "_5", "_6", "_6plus", "_iPad", "_iPad_Pro"}) {
            names.push_back(std::string(ordinal) + "_string" + suffix + ".png");
        }
    }
    return names;
}

TEST(QtImages, EveryProductImageResolvesOnceToADrawnPictureAndNoOtherNameDoes) {
    testing::qtTestApp();
    QtImages images;
    const auto names = everyProductImage();
    ASSERT_EQ(names.size(), 42u);
    for (const auto& name : names) {
        const ImageRef image = images.imageNamed(name);
        ASSERT_NE(image, nullptr) << name;
        EXPECT_EQ(image->name(), name);
        EXPECT_EQ(images.imageNamed(name), image);  // kept, not decoded again
        // A picture that is blank or stamp-sized would be a broken drawing, not a design.
        const QSize size = dynamic_cast<const QtImage&>(*image).pixmap().size();
        EXPECT_GE(size.width(), 64) << name;
        EXPECT_GE(size.height(), 64) << name;
    }
    for (const char* name : {"6th_string.png", "green64", "", "../images/green64.png"}) {
        EXPECT_EQ(images.imageNamed(name), nullptr) << name;
    }
}

TEST(QtImageView, HidingKeepsThePictureAndNothingEmptiesIt) {
    testing::qtTestApp();
    QtImages images;
    ImageViewWidget widget;
    QtImageView view(&widget);
    view.setImage(images.imageNamed("green128.png"));
    view.setHidden(true);
    EXPECT_TRUE(widget.isHidden());
    EXPECT_EQ(view.imageName(), "green128.png");
    view.setHidden(false);
    EXPECT_EQ(view.imageName(), "green128.png");
    view.setImage(nullptr);
    EXPECT_EQ(view.imageName(), "");
    EXPECT_TRUE(widget.picture().isNull());
}

TEST(QtViews, WritesToAViewWhoseWidgetIsGoneDoNothing) {
    testing::qtTestApp();
    auto* label = new QLabel;
    QtLabel adapter(label);
    adapter.setText("<b>293.6Hz</b>");
    EXPECT_EQ(label->text(), QStringLiteral("<b>293.6Hz</b>"));
    EXPECT_EQ(label->textFormat(), Qt::PlainText);  // shown as written, never as markup
    delete label;
    adapter.setText("gone");  // must not touch freed memory
}

}  // namespace
}  // namespace strumwise::platform::desktop
