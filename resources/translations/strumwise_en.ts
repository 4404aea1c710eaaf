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
        <source>%1 unplugged — listening to %2</source>
        <translation>%1 unplugged — listening to %2</translation>
    </message>
    <message>
        <source>the default</source>
        <translation>the default</translation>
    </message>
    <message>
        <source>Could not open %1</source>
        <translation>Could not open %1</translation>
    </message>
    <message>
        <source>Open A</source>
        <translation>Open A</translation>
    </message>
    <message>
        <source>Drop C</source>
        <translation>Drop C</translation>
    </message>
    <message>
        <source>Open D</source>
        <translation>Open D</translation>
    </message>
    <message>
        <source>Graveyard</source>
        <translation>Graveyard</translation>
    </message>
    <message>
        <source>Open C</source>
        <translation>Open C</translation>
    </message>
    <message>
        <source>Open C Minor</source>
        <translation>Open C Minor</translation>
    </message>
    <message>
        <source>G Minor</source>
        <translation>G Minor</translation>
    </message>
    <message>
        <source>A Modal</source>
        <translation>A Modal</translation>
    </message>
    <message>
        <source>Standard D</source>
        <translation>Standard D</translation>
    </message>
    <message>
        <source>Last Chance</source>
        <translation>Last Chance</translation>
    </message>
    <message>
        <source>Shaving a Dead Man</source>
        <translation>Shaving a Dead Man</translation>
    </message>
    <message>
        <source>Little Satchel</source>
        <translation>Little Satchel</translation>
    </message>
    <message>
        <source>TuningProblemEmptyName</source>
        <translation>Give the tuning a name.</translation>
    </message>
    <message>
        <source>TuningProblemDuplicateName</source>
        <translation>There is already a tuning called “%1”: choose another name.</translation>
    </message>
    <message>
        <source>TuningProblemNoteCount</source>
        <translation>Write five notes, the fifth string first (gDGBD or G4 D3 G3 B3 D4), not %1.</translation>
    </message>
    <message>
        <source>TuningProblemUnknownNote</source>
        <translation>“%1” is not a note: write a letter A to G, a sharp (#) or flat (b) if it has one, and its octave (G3, C#4, Bb3).</translation>
    </message>
    <message>
        <source>TuningProblemOutOfRange</source>
        <translation>%1 is outside what the tuner hears: every string from C2 to B5.</translation>
    </message>
    <message>
        <source>ReferenceProposal</source>
        <translation>A4 = %1 Hz — keep?</translation>
    </message>
    <message>
        <source>ReferenceNoSteadyNote</source>
        <translation>No steady note is heard: play one note, let it ring, and press again.</translation>
    </message>
    <message>
        <source>ReferenceOutOfRange</source>
        <translation>That note would set A4 = %1 Hz, outside 415.0 to 466.0 Hz: nothing was changed.</translation>
    </message>
    <message>
        <source>SettingRefused</source>
        <translation>That value cannot be set.</translation>
    </message>
    <message>
        <source>BrowsedTuningsEmpty</source>
        <translation>The arrows need at least one tuning to show.</translation>
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
        <source>%1 (unplugged)</source>
        <translation>%1 (unplugged)</translation>
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
        <source>No reading</source>
        <translation>No reading</translation>
    </message>
    <message>
        <source>Recent readings</source>
        <translation>Recent readings</translation>
    </message>
    <message>
        <source>%1, settling %2 cents sharp</source>
        <translation>%1, settling %2 cents sharp</translation>
    </message>
    <message>
        <source>%1, settling %2 cents flat</source>
        <translation>%1, settling %2 cents flat</translation>
    </message>
    <message>
        <source>%1, drifting sharp, %2 cents</source>
        <translation>%1, drifting sharp, %2 cents</translation>
    </message>
    <message>
        <source>%1, drifting flat, %2 cents</source>
        <translation>%1, drifting flat, %2 cents</translation>
    </message>
    <message>
        <source>%1, steady %2 cents sharp</source>
        <translation>%1, steady %2 cents sharp</translation>
    </message>
    <message>
        <source>%1, steady %2 cents flat</source>
        <translation>%1, steady %2 cents flat</translation>
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
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>The reference pitch, the tunings, a capo and the string lock</source>
        <translation>The reference pitch, the tunings, a capo and the string lock</translation>
    </message>
    <message>
        <source>Reference pitch (A4)</source>
        <translation>Reference pitch (A4)</translation>
    </message>
    <message>
        <source>Reference pitch, A4 in hertz</source>
        <translation>Reference pitch, A4 in hertz</translation>
    </message>
    <message>
        <source>The pitch of A4 every string is tuned from, 415.0 to 466.0 Hz</source>
        <translation>The pitch of A4 every string is tuned from, 415.0 to 466.0 Hz</translation>
    </message>
    <message>
        <source>Take it from a note</source>
        <translation>Take it from a note</translation>
    </message>
    <message>
        <source>Play one note and let it ring: A4 is set so that the note is exactly in tune</source>
        <translation>Play one note and let it ring: A4 is set so that the note is exactly in tune</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>Tune to this reference from now on</source>
        <translation>Tune to this reference from now on</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Keep the reference as it was</source>
        <translation>Keep the reference as it was</translation>
    </message>
    <message>
        <source>Capo</source>
        <translation>Capo</translation>
    </message>
    <message>
        <source>Capo on strings 1 to 4</source>
        <translation>Capo on strings 1 to 4</translation>
    </message>
    <message>
        <source>The fret a capo stops strings 1 to 4 at</source>
        <translation>The fret a capo stops strings 1 to 4 at</translation>
    </message>
    <message>
        <source>No capo</source>
        <translation>No capo</translation>
    </message>
    <message>
        <source>Fret %1</source>
        <translation>Fret %1</translation>
    </message>
    <message>
        <source>Fifth string</source>
        <translation>Fifth string</translation>
    </message>
    <message>
        <source>Fifth string's own fret</source>
        <translation>Fifth string's own fret</translation>
    </message>
    <message>
        <source>Where a spike or a fifth-string capo stops the fifth string</source>
        <translation>Where a spike or a fifth-string capo stops the fifth string</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Its fret %1 (the neck's %2th)</source>
        <translation>Its fret %1 (the neck's %2th)</translation>
    </message>
    <message>
        <source>The fifth string's frets are counted from its own nut, at the neck's 5th fret: its fret 2 lies at the neck's 7th, where a spike raises open G's drone to A. The title shows the neck's fret: "5th at 7".</source>
        <translation>The fifth string's frets are counted from its own nut, at the neck's 5th fret: its fret 2 lies at the neck's 7th, where a spike raises open G's drone to A. The title shows the neck's fret: "5th at 7".</translation>
    </message>
    <message>
        <source>String read against</source>
        <translation>String read against</translation>
    </message>
    <message>
        <source>Read every note against one string, or find the string by ear</source>
        <translation>Read every note against one string, or find the string by ear</translation>
    </message>
    <message>
        <source>Found by ear</source>
        <translation>Found by ear</translation>
    </message>
    <message>
        <source>1st string</source>
        <translation>1st string</translation>
    </message>
    <message>
        <source>2nd string</source>
        <translation>2nd string</translation>
    </message>
    <message>
        <source>3rd string</source>
        <translation>3rd string</translation>
    </message>
    <message>
        <source>4th string</source>
        <translation>4th string</translation>
    </message>
    <message>
        <source>5th string</source>
        <translation>5th string</translation>
    </message>
    <message>
        <source>String</source>
        <translation>String</translation>
    </message>
    <message>
        <source>Or touch a string's name under the chart, or press Shift and its number; touch it again to find strings by ear.</source>
        <translation>Or touch a string's name under the chart, or press Shift and its number; touch it again to find strings by ear.</translation>
    </message>
    <message>
        <source>Tunings the arrows show</source>
        <translation>Tunings the arrows show</translation>
    </message>
    <message>
        <source>Tick the tunings the arrows step through (Space ticks one)</source>
        <translation>Tick the tunings the arrows step through (Space ticks one)</translation>
    </message>
    <message>
        <source>The arrows need at least one tuning to show.</source>
        <translation>The arrows need at least one tuning to show.</translation>
    </message>
    <message>
        <source>Your tunings</source>
        <translation>Your tunings</translation>
    </message>
    <message>
        <source>Your own tunings; ticked ones are shown by the arrows</source>
        <translation>Your own tunings; ticked ones are shown by the arrows</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Change the chosen tuning's name or notes</source>
        <translation>Change the chosen tuning's name or notes</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Delete the chosen tuning</source>
        <translation>Delete the chosen tuning</translation>
    </message>
    <message>
        <source>Tuning name</source>
        <translation>Tuning name</translation>
    </message>
    <message>
        <source>The name the browser shows</source>
        <translation>The name the browser shows</translation>
    </message>
    <message>
        <source>My tuning</source>
        <translation>My tuning</translation>
    </message>
    <message>
        <source>Tuning notes</source>
        <translation>Tuning notes</translation>
    </message>
    <message>
        <source>Five notes, the fifth string first: gDGBD or G4 D3 G3 B3 D4</source>
        <translation>Five notes, the fifth string first: gDGBD or G4 D3 G3 B3 D4</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>Add tuning</source>
        <translation>Add tuning</translation>
    </message>
    <message>
        <source>Add the tuning, or save the changes to it</source>
        <translation>Add the tuning, or save the changes to it</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Save changes</translation>
    </message>
    <message>
        <source>Leave the tuning as it was</source>
        <translation>Leave the tuning as it was</translation>
    </message>
    <message>
        <source>Choose one of your tunings first.</source>
        <translation>Choose one of your tunings first.</translation>
    </message>
    <message>
        <source>Deleted “%1”: Add tuning puts it back.</source>
        <translation>Deleted “%1”: Add tuning puts it back.</translation>
    </message>
    <message>
        <source>Added: the arrows show it after the library's.</source>
        <translation>Added: the arrows show it after the library's.</translation>
    </message>
    <message>
        <source>Saved.</source>
        <translation>Saved.</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>Locked</translation>
    </message>
    <message>
        <source>Locked: every note is read against this string. Press to find strings by ear again.</source>
        <translation>Locked: every note is read against this string. Press to find strings by ear again.</translation>
    </message>
    <message>
        <source>Press to read every note against this string (Shift+%1)</source>
        <translation>Press to read every note against this string (Shift+%1)</translation>
    </message>
    <message>
        <source>Locked: in tune</source>
        <translation>Locked: in tune</translation>
    </message>
    <message>
        <source>Locked: tune down</source>
        <translation>Locked: tune down</translation>
    </message>
    <message>
        <source>Locked: tune up</source>
        <translation>Locked: tune up</translation>
    </message>
    <message>
        <source>%1 (string locked)</source>
        <translation>%1 (string locked)</translation>
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
