#pragma once

#include <QMargins>
#include <QPointer>
#include <QSize>
#include <QSizePolicy>
#include <QString>
#include <QWidget>
#include <vector>

class QLayout;
class QSpacerItem;

namespace strumwise::platform::desktop {

// Scales a widget tree designed at one size by a factor, keeping its proportions: every length
// the design gives in pixels (type sizes and other lengths in style sheets, minimum and maximum
// sizes, layout margins and spacing, spacers, label margins) is the design value times the
// factor, so the tree laid out at the design size times the factor looks like the design, only
// larger or smaller. The design values are those the widgets have when this object is built;
// a length that is 0 or unbounded stays as it is, so a view that collapses or opens at run time
// keeps doing so. Main thread only.
class LayoutScale {
  public:
    explicit LayoutScale(QWidget& root);

    // Rewrites every recorded length for `factor` (1 restores the design).
    void apply(double factor);
    double factor() const { return factor_; }

  private:
    struct WidgetDesign {
        QPointer<QWidget> widget;
        QSize minimum;
        QSize maximum;
        QString styleSheet;
        int labelMargin = 0;
    };
    struct LayoutDesign {
        QPointer<QLayout> layout;
        QMargins margins;
        int horizontalSpacing = -1;
        int verticalSpacing = -1;
    };
    struct SpacerDesign {
        QPointer<QLayout> owner;  // the spacer lives as long as its layout
        QSpacerItem* spacer = nullptr;
        QSize size;
        QSizePolicy policy;
    };

    void record(QLayout& layout);

    std::vector<WidgetDesign> widgets_;
    std::vector<LayoutDesign> layouts_;
    std::vector<SpacerDesign> spacers_;
    double factor_ = 1.0;
};

// A design length times `factor`, rounded, never below one pixel; 0 and the unbounded length
// are the same at every scale.
int scaledLength(int design, double factor);

// Every pixel length in a style sheet ("14px") times `factor`, as scaledLength() rounds it.
QString scaledStyleSheet(const QString& design, double factor);

}  // namespace strumwise::platform::desktop
