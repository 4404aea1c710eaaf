#pragma once

class QWidget;

namespace strumwise::platform::desktop {

// A phone's page is as tall as its screen, and settings make the smallest one's taller; a pad's
// about panel shares its column with the forks and the chart, and is shorter still. Each scrolls
// rather than squeezing its texts and controls; one that fits shows no scroll bar. `area` is a
// page of the layout's tabs or a panel in a column; any other widget is left as it is.
void scrollWhenTall(QWidget& area);

}  // namespace strumwise::platform::desktop
