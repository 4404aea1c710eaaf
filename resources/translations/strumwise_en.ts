<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<!-- The behaviour's keys are the source texts: "Localizable" is the default strings table,
     "RatingPromptLocalizable" the rating prompt's, "MainScreen" the texts of the layouts,
     "WebPage" those the web edition's page adds. -->
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
        <source>TuningCapoSuffix</source>
        <translation>, capo %d</translation>
    </message>
    <message>
        <source>TuningFifthStringSuffix</source>
        <translation>, 5th at %d</translation>
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
    <message>
        <source>The tuner: pluck a string, or play a reference tone</source>
        <translation>The tuner: pluck a string, or play a reference tone</translation>
    </message>
    <message>
        <source>About Strumwise, the sound settings and more applications</source>
        <translation>About Strumwise, the sound settings and more applications</translation>
    </message>
    <message>
        <source>Previous tuning</source>
        <translation>Previous tuning</translation>
    </message>
    <message>
        <source>Previous tuning (Left arrow)</source>
        <translation>Previous tuning (Left arrow)</translation>
    </message>
    <message>
        <source>Next tuning</source>
        <translation>Next tuning</translation>
    </message>
    <message>
        <source>Next tuning (Right arrow)</source>
        <translation>Next tuning (Right arrow)</translation>
    </message>
    <message>
        <source>Stop the reference tone</source>
        <translation>Stop the reference tone</translation>
    </message>
    <message>
        <source>Stop the reference tone (Space or Escape)</source>
        <translation>Stop the reference tone (Space or Escape)</translation>
    </message>
    <message>
        <source>Vornhalt Labs web site</source>
        <translation>Vornhalt Labs web site</translation>
    </message>
    <message>
        <source>Open the Vornhalt Labs web site</source>
        <translation>Open the Vornhalt Labs web site</translation>
    </message>
    <message>
        <source>Rate Strumwise in the store</source>
        <translation>Rate Strumwise in the store</translation>
    </message>
    <message>
        <source>Reference tone of the 1st string</source>
        <translation>Reference tone of the 1st string</translation>
    </message>
    <message>
        <source>Reference tone of the 2nd string</source>
        <translation>Reference tone of the 2nd string</translation>
    </message>
    <message>
        <source>Reference tone of the 3rd string</source>
        <translation>Reference tone of the 3rd string</translation>
    </message>
    <message>
        <source>Reference tone of the 4th string</source>
        <translation>Reference tone of the 4th string</translation>
    </message>
    <message>
        <source>Reference tone of the 5th string</source>
        <translation>Reference tone of the 5th string</translation>
    </message>
    <message>
        <source>Play the reference tone of the 1st string (key 1)</source>
        <translation>Play the reference tone of the 1st string (key 1)</translation>
    </message>
    <message>
        <source>Play the reference tone of the 2nd string (key 2)</source>
        <translation>Play the reference tone of the 2nd string (key 2)</translation>
    </message>
    <message>
        <source>Play the reference tone of the 3rd string (key 3)</source>
        <translation>Play the reference tone of the 3rd string (key 3)</translation>
    </message>
    <message>
        <source>Play the reference tone of the 4th string (key 4)</source>
        <translation>Play the reference tone of the 4th string (key 4)</translation>
    </message>
    <message>
        <source>Play the reference tone of the 5th string (key 5)</source>
        <translation>Play the reference tone of the 5th string (key 5)</translation>
    </message>
    <message>
        <source>Open its page in the store</source>
        <translation>Open its page in the store</translation>
    </message>
    <message>
        <source>Tone volume</source>
        <translation>Tone volume</translation>
    </message>
    <message>
        <source>Reference tone volume</source>
        <translation>Reference tone volume</translation>
    </message>
    <message>
        <source>Loudness of the reference tones, in dB below full scale</source>
        <translation>Loudness of the reference tones, in dB below full scale</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>%1 dB</source>
        <translation>%1 dB</translation>
    </message>
    <message>
        <source>Microphone</source>
        <translation>Microphone</translation>
    </message>
    <message>
        <source>The microphone the tuner listens to</source>
        <translation>The microphone the tuner listens to</translation>
    </message>
    <message>
        <source>Speakers</source>
        <translation>Speakers</translation>
    </message>
    <message>
        <source>Where the reference tones play</source>
        <translation>Where the reference tones play</translation>
    </message>
    <message>
        <source>System default</source>
        <translation>System default</translation>
    </message>
    <message>
        <source>A sound file (--input)</source>
        <translation>A sound file (--input)</translation>
    </message>
    <message>
        <source>Tuning meter</source>
        <translation>Tuning meter</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>No sound to read</source>
        <translation>No sound to read</translation>
    </message>
    <message>
        <source>%1, in tune</source>
        <translation>%1, in tune</translation>
    </message>
    <message>
        <source>%1, %2 cents sharp, tune down</source>
        <translation>%1, %2 cents sharp, tune down</translation>
    </message>
    <message>
        <source>%1, %2 cents flat, tune up</source>
        <translation>%1, %2 cents flat, tune up</translation>
    </message>
    <message>
        <source>Level: %1</source>
        <translation>Level: %1</translation>
    </message>
    <message>
        <source>silent</source>
        <translation>silent</translation>
    </message>
    <message>
        <source>quiet</source>
        <translation>quiet</translation>
    </message>
    <message>
        <source>measuring</source>
        <translation>measuring</translation>
    </message>
    <message>
        <source>Lamp: waiting for a string</source>
        <translation>Lamp: waiting for a string</translation>
    </message>
    <message>
        <source>Lamp: not in tune</source>
        <translation>Lamp: not in tune</translation>
    </message>
    <message>
        <source>Lamp: in tune</source>
        <translation>Lamp: in tune</translation>
    </message>
    <message>
        <source>Lamp: no longer in tune</source>
        <translation>Lamp: no longer in tune</translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message>
        <source>Strumwise, a banjo tuner</source>
        <translation>Strumwise, a banjo tuner</translation>
    </message>
    <message>
        <source>Strumwise — banjo tuner</source>
        <translation>Strumwise — banjo tuner</translation>
    </message>
    <message>
        <source>PageDescription</source>
        <translation>Strumwise tunes a five-string banjo by ear: pluck a string and it lights when the string is within five cents, with reference tones and a cents meter. Works offline.</translation>
    </message>
    <message>
        <source>%1 in tune</source>
        <translation>%1 in tune</translation>
    </message>
    <message>
        <source>%1, %2 cents sharp</source>
        <translation>%1, %2 cents sharp</translation>
    </message>
    <message>
        <source>%1, %2 cents flat</source>
        <translation>%1, %2 cents flat</translation>
    </message>
    <message>
        <source>Banjo with its %1 string lit</source>
        <translation>Banjo with its %1 string lit</translation>
    </message>
</context>
</TS>
