#pragma once

#include <QColor>

// The product's colours, shared by every picture so that lamps, strings, charts and icon belong
// together: warm wood and brass on a dark stage, with the lamp green for "in tune".
namespace strumwise::artwork {

inline const QColor kStage{0x1d, 0x1a, 0x17};
inline const QColor kStageLight{0x2c, 0x27, 0x22};
inline const QColor kBrass{0xd9, 0xa4, 0x41};
inline const QColor kBrassDark{0x8a, 0x62, 0x1e};
inline const QColor kChrome{0xc9, 0xcd, 0xd2};
inline const QColor kChromeDark{0x6b, 0x70, 0x78};
inline const QColor kSkin{0xf1, 0xe6, 0xcc};
inline const QColor kSkinShade{0xcf, 0xbf, 0x9b};
inline const QColor kRim{0x6e, 0x3f, 0x1c};
inline const QColor kRimDark{0x3b, 0x1f, 0x0c};
inline const QColor kFingerboard{0x2e, 0x1d, 0x14};
inline const QColor kFret{0xd8, 0xd2, 0xc4};
inline const QColor kInlay{0xe9, 0xe2, 0xd0};
inline const QColor kString{0xcf, 0xd3, 0xd8};
inline const QColor kInTune{0x3d, 0xdc, 0x84};
inline const QColor kInTuneDeep{0x12, 0x8a, 0x4a};
inline const QColor kWaiting{0xff, 0xc2, 0x33};
inline const QColor kWaitingDeep{0xb3, 0x6b, 0x00};
inline const QColor kCream{0xf3, 0xe9, 0xd2};

}  // namespace strumwise::artwork
