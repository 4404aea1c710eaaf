// Every picture the screen logic names resolves to a drawn image of a sensible size, and image
// views show and keep them as the toolkit promises.

#include <gtest/gtest.h>

#include <QLabel>

#include <string>
#include <vector>

#include "adapters/desktop/views/qt_images.h"
#include "adapters/desktop/views/qt_views.h"
#include "adapters/headless/headless_images.h"
#include "qt_test_app.h"

namespace strumwise::platform::desktop {
namespace {

TEST(QtImages, EveryProductImageResolvesOnceToADrawnPictureAndNoOtherNameDoes) {
    testing::qtTestApp();
    QtImages images;
    const auto names = headless::HeadlessImages::productImageNames();
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
