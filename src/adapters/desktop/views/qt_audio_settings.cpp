#include "adapters/desktop/views/qt_audio_settings.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <algorithm>
#include <cmath>

#include "adapters/desktop/views/qt_scrolling_area.h"
#include "tones/tone_volume.h"

namespace strumwise::platform::desktop {
namespace {

// The layouts' texts are translated in this context, and so are the panel's (a member
// tr() would look in QFrame's).
QString translated(const char* text) {
    return QCoreApplication::translate("MainScreen", text);
}

// The row of a chosen device that is not listed: choosing it again changes nothing.
constexpr qulonglong kUnpluggedRow = ~qulonglong{0};

QString volumeText(int db) {
    return translated("%1 dB").arg(QString::number(db).replace(QLatin1Char('-'), QChar(0x2212)));
}

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setProperty("role", QStringLiteral("about"));
    return label;
}

}  // namespace

QtAudioSettingsPanel::QtAudioSettingsPanel(AudioSettings settings, QWidget* parent)
    : QFrame(parent), settings_(std::move(settings)) {
    setObjectName(QStringLiteral("audioSettingsPanel"));
    setProperty("role", QStringLiteral("panel"));
    auto* grid = new QGridLayout(this);

    auto* volume = new QSlider(Qt::Horizontal, this);
    volume->setObjectName(QStringLiteral("toneVolumeSlider"));
    volume->setRange(static_cast<int>(tones::kMinToneVolumeDb),
                     static_cast<int>(tones::kMaxToneVolumeDb));
    volume->setPageStep(3);
    volume->setValue(static_cast<int>(std::lround(settings_.volumeDb)));
    volume->setAccessibleName(translated("Reference tone volume"));
    volume->setToolTip(translated("Loudness of the reference tones, in dB below full scale"));
    auto* volumeValue = new QLabel(volumeText(volume->value()), this);
    volumeValue->setObjectName(QStringLiteral("toneVolumeText"));
    volumeValue->setProperty("role", QStringLiteral("about"));
    QObject::connect(volume, &QSlider::valueChanged, this, [this, volumeValue](int db) {
        volumeValue->setText(volumeText(db));
        if (settings_.volumeChanged) {
            settings_.volumeChanged(db);
        }
    });
    // Each caption above its control, so that a drop-down has the panel's whole width for a
    // device's name, on the narrowest phone too.
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 0);
    grid->addWidget(caption(translated("Tone volume"), this), 0, 0, 1, 2);
    grid->addWidget(volume, 1, 0);
    grid->addWidget(volumeValue, 1, 1);
    grid->addWidget(caption(translated("Microphone"), this), 2, 0, 1, 2);
    grid->addWidget(deviceChoice(true), 3, 0, 1, 2);
    grid->addWidget(caption(translated("Speakers"), this), 4, 0, 1, 2);
    grid->addWidget(deviceChoice(false), 5, 0, 1, 2);
}

QComboBox* QtAudioSettingsPanel::deviceChoice(bool input) {
    auto* choice = new QComboBox(this);
    choice->setObjectName(input ? QStringLiteral("inputDeviceChoice")
                                : QStringLiteral("outputDeviceChoice"));
    choice->setAccessibleName(input ? translated("Microphone") : translated("Speakers"));
    choice->setToolTip(input ? translated("The microphone the tuner listens to")
                             : translated("Where the reference tones play"));
    // Long device names must not widen a phone's page.
    choice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    choice->setMinimumContentsLength(8);
    if (input && settings_.inputIsFile) {
        choice->addItem(translated("A sound file (--input)"));
        choice->setEnabled(false);
        return choice;
    }
    fillChoice(*choice, input);
    QObject::connect(choice, &QComboBox::activated, this, [this, choice, input](int row) {
        const QVariant at = choice->itemData(row);
        if (at.isValid() && at.toULongLong() == kUnpluggedRow) {
            return;  // still the player's choice, which the tuner returns to once it is back
        }
        std::optional<AudioDeviceDescription> device;
        if (at.isValid()) {
            device = settings_.devices.at(static_cast<std::size_t>(at.toULongLong()));
        }
        (input ? settings_.inputDevice : settings_.outputDevice) = device;
        const auto& chosen = input ? settings_.inputChosen : settings_.outputChosen;
        if (chosen) {
            chosen(device);
        }
    });
    return choice;
}

void QtAudioSettingsPanel::fillChoice(QComboBox& choice, bool input) {
    choice.clear();
    choice.addItem(translated("System default"));
    const std::optional<AudioDeviceDescription>& chosen =
        input ? settings_.inputDevice : settings_.outputDevice;
    bool listed = false;
    // Each row carries its place in the device list.
    for (std::size_t at = 0; at < settings_.devices.size(); ++at) {
        const AudioDeviceDescription& device = settings_.devices[at];
        if ((input ? device.inputChannels : device.outputChannels) < 1) {
            continue;
        }
        choice.addItem(QString::fromStdString(device.name), static_cast<qulonglong>(at));
        if (chosen && chosen->id == device.id) {
            choice.setCurrentIndex(choice.count() - 1);
            listed = true;
        }
    }
    // A chosen device that is gone (a headset unplugged) stays the choice, said to be gone: the
    // tuner uses the default meanwhile, and the chosen one again once it is back.
    if (chosen && !listed) {
        choice.addItem(translated("%1 (unplugged)").arg(QString::fromStdString(chosen->name)),
                       kUnpluggedRow);
        choice.setCurrentIndex(choice.count() - 1);
    }
}

void QtAudioSettingsPanel::showDevices(std::vector<AudioDeviceDescription> devices) {
    const auto same = [](const AudioDeviceDescription& a, const AudioDeviceDescription& b) {
        return a.id == b.id && a.name == b.name && a.inputChannels == b.inputChannels &&
               a.outputChannels == b.outputChannels;
    };
    if (std::equal(devices.begin(), devices.end(), settings_.devices.begin(),
                   settings_.devices.end(), same)) {
        return;  // nothing to redraw, and an open drop-down stays open
    }
    settings_.devices = std::move(devices);
    for (const bool input : {true, false}) {
        auto* choice = findChild<QComboBox*>(input ? QStringLiteral("inputDeviceChoice")
                                                   : QStringLiteral("outputDeviceChoice"));
        if (choice != nullptr && !(input && settings_.inputIsFile)) {
            fillChoice(*choice, input);
        }
    }
}

QtAudioSettingsPanel* QtAudioSettingsPanel::addToAboutArea(QWidget& root, AudioSettings settings) {
    auto* about = root.findChild<QLabel*>(QStringLiteral("aboutMsg2"));
    QWidget* area = about != nullptr ? about->parentWidget() : nullptr;
    auto* box = area != nullptr ? qobject_cast<QBoxLayout*>(area->layout()) : nullptr;
    if (box == nullptr) {
        return nullptr;
    }
    auto* panel = new QtAudioSettingsPanel(std::move(settings), area);
    // Right under the texts, so that the settings come before the store buttons, to the eye and
    // to Tab alike.
    box->insertWidget(box->indexOf(about) + 1, panel);
    scrollWhenTall(*area);
    return panel;
}

}  // namespace strumwise::platform::desktop
