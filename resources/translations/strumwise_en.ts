<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<!-- The behaviour's keys are the source texts: "Localizable" is the default strings table,
     "RatingPromptLocalizable" the rating prompt's, "MainScreen" the texts of the layouts. -->
<context>
    <name>Localizable</name>
    <message>
        <source>TuningFreeTitle</source>
        <translation>Open G (gDGBD)</translation>
    </message>
    <message>
        <source>TuningFreeTitle2</source>
        <translation>Double D (aDADE)</translation>
    </message>
    <message>
        <source>TuningFreeTitle3</source>
        <translation>Double C (gCGCD)</translation>
    </message>
    <message>
        <source>TuningFreeTitle4</source>
        <translation>G Modal (gDGCD)</translation>
    </message>
    <message>
        <source>TunerAboutCongratsMessage</source>
        <translation>Pluck a string: when it is in tune, its picture and the green lamp light up.</translation>
    </message>
    <message>
        <source>TunerAboutMsg2</source>
        <translation>Touch a fork to hear the reference note of that string; touch stop to end it.</translation>
    </message>
    <message>
        <source>NoMicrophone</source>
        <translation>No microphone</translation>
    </message>
    <message>
        <source>MicrophoneLost</source>
        <translation>Microphone lost — reconnecting…</translation>
    </message>
    <message>
        <source>NoAudioOutput</source>
        <translation>No audio output</translation>
    </message>
    <message>
        <source>Could not open %1</source>
        <translation>Could not open %1</translation>
    </message>
</context>
<context>
    <name>RatingPromptLocalizable</name>
    <message>
        <source>Rate %@</source>
        <translation>Rate %@</translation>
    </message>
    <message>
        <source>If you enjoy using %@, would you mind taking a moment to rate it? It won't take more than a minute. Thanks for your support!</source>
        <translation>If you enjoy using %@, would you mind taking a moment to rate it? It won't take more than a minute. Thanks for your support!</translation>
    </message>
    <message>
        <source>No, Thanks</source>
        <translation>No, Thanks</translation>
    </message>
    <message>
        <source>Remind me later</source>
        <translation>Remind me later</translation>
    </message>
</context>
<context>
    <name>MainScreen</name>
    <message>
        <source>Tuner</source>
        <translation>Tuner</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>1st</source>
        <translation>1st</translation>
    </message>
    <message>
        <source>2nd</source>
        <translation>2nd</translation>
    </message>
    <message>
        <source>3rd</source>
        <translation>3rd</translation>
    </message>
    <message>
        <source>4th</source>
        <translation>4th</translation>
    </message>
    <message>
        <source>5th</source>
        <translation>5th</translation>
    </message>
    <message>
        <source>Pluck a string</source>
        <translation>Pluck a string</translation>
    </message>
    <message>
        <source>Reference tones</source>
        <translation>Reference tones</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Rate Strumwise</source>
        <translation>Rate Strumwise</translation>
    </message>
    <message>
        <source>More from Vornhalt Labs</source>
        <translation>More from Vornhalt Labs</translation>
    </message>
    <message>
        <source>A tuner for the five-string banjo</source>
        <translation>A tuner for the five-string banjo</translation>
    </message>
    <message>
        <source>Guitar Tuner</source>
        <translation>Guitar Tuner</translation>
    </message>
    <message>
        <source>Ukulele Tuner</source>
        <translation>Ukulele Tuner</translation>
    </message>
    <message>
        <source>Mandolin Tuner</source>
        <translation>Mandolin Tuner</translation>
    </message>
    <message>
        <source>Violin Tuner</source>
        <translation>Violin Tuner</translation>
    </message>
    <message>
        <source>Cello Tuner</source>
        <translation>Cello Tuner</translation>
    </message>
    <message>
        <source>Bass Tuner</source>
        <translation>Bass Tuner</translation>
    </message>
    <message>
        <source>Bouzouki Tuner</source>
        <translation>Bouzouki Tuner</translation>
    </message>
    <message>
        <source>Balalaika Tuner</source>
        <translation>Balalaika Tuner</translation>
    </message>
    <message>
        <source>Metronome Lite</source>
        <translation>Metronome Lite</translation>
    </message>
    <message>
        <source>Metronome Pro</source>
        <translation>Metronome Pro</translation>
    </message>
    <message>
        <source>ChordBook Lite</source>
        <translation>ChordBook Lite</translation>
    </message>
    <message>
        <source>ChordBook Pro</source>
        <translation>ChordBook Pro</translation>
    </message>
</context>
</TS>
