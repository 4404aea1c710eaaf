<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<!-- The behaviour's keys are the source texts: "Localizable" is the default strings table,
     "RatingPromptLocalizable" the rating prompt's, "MainScreen" the texts of the layouts,
     "WebPage" those the web edition's page adds. -->
<context>
    <name>Localizable</name>
    <message>
        <source>TuningFreeTitle</source>
        <translation>Sol abierto (gDGBD)</translation>
    </message>
    <message>
        <source>TuningFreeTitle2</source>
        <translation>Re doble (aDADE)</translation>
    </message>
    <message>
        <source>TuningFreeTitle3</source>
        <translation>Do doble (gCGCD)</translation>
    </message>
    <message>
        <source>TuningFreeTitle4</source>
        <translation>Sol modal (gDGCD)</translation>
    </message>
    <message>
        <source>TunerAboutCongratsMessage</source>
        <translation>Pulsa una cuerda: cuando esté afinada, se encienden su imagen y la luz verde.</translation>
    </message>
    <message>
        <source>TunerAboutMsg2</source>
        <translation>Toca un diapasón para oír la nota de referencia de esa cuerda; toca detener para terminarla.</translation>
    </message>
    <message>
        <source>NoMicrophone</source>
        <translation>Sin micrófono</translation>
    </message>
    <message>
        <source>MicrophoneLost</source>
        <translation>Micrófono perdido — reconectando…</translation>
    </message>
    <message>
        <source>NoAudioOutput</source>
        <translation>Sin salida de audio</translation>
    </message>
    <message>
        <source>TuningCapoSuffix</source>
        <translation>, cejilla %d</translation>
    </message>
    <message>
        <source>TuningFifthStringSuffix</source>
        <translation>, 5.ª en el %d</translation>
    </message>
    <message>
        <source>%1 unplugged — listening to %2</source>
        <translation>%1 desconectado — se escucha %2</translation>
    </message>
    <message>
        <source>the default</source>
        <translation>el predeterminado</translation>
    </message>
    <message>
        <source>Could not open %1</source>
        <translation>No se pudo abrir %1</translation>
    </message>
    <message>
        <source>Open A</source>
        <translation>La abierto</translation>
    </message>
    <message>
        <source>Drop C</source>
        <translation>Do bajado</translation>
    </message>
    <message>
        <source>Open D</source>
        <translation>Re abierto</translation>
    </message>
    <message>
        <source>Graveyard</source>
        <translation>Cementerio</translation>
    </message>
    <message>
        <source>Open C</source>
        <translation>Do abierto</translation>
    </message>
    <message>
        <source>Open C Minor</source>
        <translation>Do menor abierto</translation>
    </message>
    <message>
        <source>G Minor</source>
        <translation>Sol menor</translation>
    </message>
    <message>
        <source>A Modal</source>
        <translation>La modal</translation>
    </message>
    <message>
        <source>Standard D</source>
        <translation>Re estándar</translation>
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
        <translation>Dale un nombre a la afinación.</translation>
    </message>
    <message>
        <source>TuningProblemDuplicateName</source>
        <translation>Ya hay una afinación llamada «%1»: elige otro nombre.</translation>
    </message>
    <message>
        <source>TuningProblemNoteCount</source>
        <translation>Escribe cinco notas, la quinta cuerda primero (gDGBD o G4 D3 G3 B3 D4), no %1.</translation>
    </message>
    <message>
        <source>TuningProblemUnknownNote</source>
        <translation>«%1» no es una nota: escribe una letra de A a G, un sostenido (#) o bemol (b) si lo tiene, y su octava (G3, C#4, Bb3).</translation>
    </message>
    <message>
        <source>TuningProblemOutOfRange</source>
        <translation>%1 está fuera de lo que oye el afinador: cada cuerda de C2 a B5.</translation>
    </message>
    <message>
        <source>ReferenceProposal</source>
        <translation>La4 = %1 Hz — ¿mantener?</translation>
    </message>
    <message>
        <source>ReferenceNoSteadyNote</source>
        <translation>No se oye una nota estable: toca una nota, déjala sonar y vuelve a pulsar.</translation>
    </message>
    <message>
        <source>ReferenceOutOfRange</source>
        <translation>Esa nota pondría La4 = %1 Hz, fuera de 415.0 a 466.0 Hz: no se ha cambiado nada.</translation>
    </message>
    <message>
        <source>SettingRefused</source>
        <translation>Ese valor no se puede poner.</translation>
    </message>
    <message>
        <source>BrowsedTuningsEmpty</source>
        <translation>Las flechas necesitan al menos una afinación que mostrar.</translation>
    </message>
</context>
<context>
    <name>RatingPromptLocalizable</name>
    <message>
        <source>Rate %@</source>
        <translation>Valora %@</translation>
    </message>
    <message>
        <source>If you enjoy using %@, would you mind taking a moment to rate it? It won't take more than a minute. Thanks for your support!</source>
        <translation>Si te gusta usar %@, ¿te importaría dedicar un momento a valorarla? No te llevará más de un minuto. ¡Gracias por tu apoyo!</translation>
    </message>
    <message>
        <source>No, Thanks</source>
        <translation>No, gracias</translation>
    </message>
    <message>
        <source>Remind me later</source>
        <translation>Recuérdamelo más tarde</translation>
    </message>
</context>
<context>
    <name>MainScreen</name>
    <message>
        <source>Tuner</source>
        <translation>Afinador</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>1st</source>
        <translation>1.ª</translation>
    </message>
    <message>
        <source>2nd</source>
        <translation>2.ª</translation>
    </message>
    <message>
        <source>3rd</source>
        <translation>3.ª</translation>
    </message>
    <message>
        <source>4th</source>
        <translation>4.ª</translation>
    </message>
    <message>
        <source>5th</source>
        <translation>5.ª</translation>
    </message>
    <message>
        <source>Pluck a string</source>
        <translation>Pulsa una cuerda</translation>
    </message>
    <message>
        <source>Reference tones</source>
        <translation>Tonos de referencia</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Rate Strumwise</source>
        <translation>Valorar Strumwise</translation>
    </message>
    <message>
        <source>More from Vornhalt Labs</source>
        <translation>Más de Vornhalt Labs</translation>
    </message>
    <message>
        <source>A tuner for the five-string banjo</source>
        <translation>Un afinador para el banjo de cinco cuerdas</translation>
    </message>
    <message>
        <source>Guitar Tuner</source>
        <translation>Afinador de guitarra</translation>
    </message>
    <message>
        <source>Ukulele Tuner</source>
        <translation>Afinador de ukelele</translation>
    </message>
    <message>
        <source>Mandolin Tuner</source>
        <translation>Afinador de mandolina</translation>
    </message>
    <message>
        <source>Violin Tuner</source>
        <translation>Afinador de violín</translation>
    </message>
    <message>
        <source>Cello Tuner</source>
        <translation>Afinador de violonchelo</translation>
    </message>
    <message>
        <source>Bass Tuner</source>
        <translation>Afinador de bajo</translation>
    </message>
    <message>
        <source>Bouzouki Tuner</source>
        <translation>Afinador de bouzouki</translation>
    </message>
    <message>
        <source>Balalaika Tuner</source>
        <translation>Afinador de balalaica</translation>
    </message>
    <message>
        <source>Metronome Lite</source>
        <translation>Metrónomo Lite</translation>
    </message>
    <message>
        <source>Metronome Pro</source>
        <translation>Metrónomo Pro</translation>
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
        <translation>El afinador: pulsa una cuerda o toca un tono de referencia</translation>
    </message>
    <message>
        <source>About Strumwise, the sound settings and more applications</source>
        <translation>Acerca de Strumwise, los ajustes de sonido y más aplicaciones</translation>
    </message>
    <message>
        <source>Previous tuning</source>
        <translation>Afinación anterior</translation>
    </message>
    <message>
        <source>Previous tuning (Left arrow)</source>
        <translation>Afinación anterior (flecha izquierda)</translation>
    </message>
    <message>
        <source>Next tuning</source>
        <translation>Afinación siguiente</translation>
    </message>
    <message>
        <source>Next tuning (Right arrow)</source>
        <translation>Afinación siguiente (flecha derecha)</translation>
    </message>
    <message>
        <source>Stop the reference tone</source>
        <translation>Detener el tono de referencia</translation>
    </message>
    <message>
        <source>Stop the reference tone (Space or Escape)</source>
        <translation>Detener el tono de referencia (Espacio o Escape)</translation>
    </message>
    <message>
        <source>Vornhalt Labs web site</source>
        <translation>Sitio web de Vornhalt Labs</translation>
    </message>
    <message>
        <source>Open the Vornhalt Labs web site</source>
        <translation>Abrir el sitio web de Vornhalt Labs</translation>
    </message>
    <message>
        <source>Rate Strumwise in the store</source>
        <translation>Valorar Strumwise en la tienda</translation>
    </message>
    <message>
        <source>Reference tone of the 1st string</source>
        <translation>Tono de referencia de la 1.ª cuerda</translation>
    </message>
    <message>
        <source>Reference tone of the 2nd string</source>
        <translation>Tono de referencia de la 2.ª cuerda</translation>
    </message>
    <message>
        <source>Reference tone of the 3rd string</source>
        <translation>Tono de referencia de la 3.ª cuerda</translation>
    </message>
    <message>
        <source>Reference tone of the 4th string</source>
        <translation>Tono de referencia de la 4.ª cuerda</translation>
    </message>
    <message>
        <source>Reference tone of the 5th string</source>
        <translation>Tono de referencia de la 5.ª cuerda</translation>
    </message>
    <message>
        <source>Play the reference tone of the 1st string (key 1)</source>
        <translation>Tocar el tono de referencia de la 1.ª cuerda (tecla 1)</translation>
    </message>
    <message>
        <source>Play the reference tone of the 2nd string (key 2)</source>
        <translation>Tocar el tono de referencia de la 2.ª cuerda (tecla 2)</translation>
    </message>
    <message>
        <source>Play the reference tone of the 3rd string (key 3)</source>
        <translation>Tocar el tono de referencia de la 3.ª cuerda (tecla 3)</translation>
    </message>
    <message>
        <source>Play the reference tone of the 4th string (key 4)</source>
        <translation>Tocar el tono de referencia de la 4.ª cuerda (tecla 4)</translation>
    </message>
    <message>
        <source>Play the reference tone of the 5th string (key 5)</source>
        <translation>Tocar el tono de referencia de la 5.ª cuerda (tecla 5)</translation>
    </message>
    <message>
        <source>Open its page in the store</source>
        <translation>Abrir su página en la tienda</translation>
    </message>
    <message>
        <source>Tone volume</source>
        <translation>Volumen del tono</translation>
    </message>
    <message>
        <source>Reference tone volume</source>
        <translation>Volumen del tono de referencia</translation>
    </message>
    <message>
        <source>Loudness of the reference tones, in dB below full scale</source>
        <translation>Volumen de los tonos de referencia, en dB por debajo de la escala completa</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>%1 dB</source>
        <translation>%1 dB</translation>
    </message>
    <message>
        <source>Microphone</source>
        <translation>Micrófono</translation>
    </message>
    <message>
        <source>The microphone the tuner listens to</source>
        <translation>El micrófono que escucha el afinador</translation>
    </message>
    <message>
        <source>Speakers</source>
        <translation>Altavoces</translation>
    </message>
    <message>
        <source>Where the reference tones play</source>
        <translation>Dónde suenan los tonos de referencia</translation>
    </message>
    <message>
        <source>%1 (unplugged)</source>
        <translation>%1 (desconectado)</translation>
    </message>
    <message>
        <source>System default</source>
        <translation>Por defecto</translation>
    </message>
    <message>
        <source>A sound file (--input)</source>
        <translation>Un archivo de sonido (--input)</translation>
    </message>
    <message>
        <source>Tuning meter</source>
        <translation>Afinador</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>No sound to read</source>
        <translation>Ningún sonido que leer</translation>
    </message>
    <message>
        <source>%1, in tune</source>
        <translation>%1, afinada</translation>
    </message>
    <message>
        <source>%1, %2 cents sharp, tune down</source>
        <translation>%1, %2 cents alta, baja la afinación</translation>
    </message>
    <message>
        <source>%1, %2 cents flat, tune up</source>
        <translation>%1, %2 cents baja, sube la afinación</translation>
    </message>
    <message>
        <source>No reading</source>
        <translation>Sin lectura</translation>
    </message>
    <message>
        <source>Recent readings</source>
        <translation>Lecturas recientes</translation>
    </message>
    <message>
        <source>%1, settling %2 cents sharp</source>
        <translation>%1, asentándose %2 cents alta</translation>
    </message>
    <message>
        <source>%1, settling %2 cents flat</source>
        <translation>%1, asentándose %2 cents baja</translation>
    </message>
    <message>
        <source>%1, drifting sharp, %2 cents</source>
        <translation>%1, se aleja hacia arriba, %2 cents</translation>
    </message>
    <message>
        <source>%1, drifting flat, %2 cents</source>
        <translation>%1, se aleja hacia abajo, %2 cents</translation>
    </message>
    <message>
        <source>%1, steady %2 cents sharp</source>
        <translation>%1, estable %2 cents alta</translation>
    </message>
    <message>
        <source>%1, steady %2 cents flat</source>
        <translation>%1, estable %2 cents baja</translation>
    </message>
    <message>
        <source>Level: %1</source>
        <translation>Nivel: %1</translation>
    </message>
    <message>
        <source>silent</source>
        <translation>silencio</translation>
    </message>
    <message>
        <source>quiet</source>
        <translation>débil</translation>
    </message>
    <message>
        <source>measuring</source>
        <translation>midiendo</translation>
    </message>
    <message>
        <source>Lamp: waiting for a string</source>
        <translation>Luz: esperando una cuerda</translation>
    </message>
    <message>
        <source>Lamp: not in tune</source>
        <translation>Luz: desafinada</translation>
    </message>
    <message>
        <source>Lamp: in tune</source>
        <translation>Luz: afinada</translation>
    </message>
    <message>
        <source>Lamp: no longer in tune</source>
        <translation>Luz: ya no está afinada</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>The reference pitch, the tunings, a capo and the string lock</source>
        <translation>El tono de referencia, las afinaciones, la cejilla y la cuerda fija</translation>
    </message>
    <message>
        <source>Reference pitch (A4)</source>
        <translation>Tono de referencia (La4)</translation>
    </message>
    <message>
        <source>Reference pitch, A4 in hertz</source>
        <translation>Tono de referencia, La4 en hercios</translation>
    </message>
    <message>
        <source>The pitch of A4 every string is tuned from, 415.0 to 466.0 Hz</source>
        <translation>La altura del La4 desde la que se afina cada cuerda, de 415.0 a 466.0 Hz</translation>
    </message>
    <message>
        <source>Take it from a note</source>
        <translation>Tomarlo de una nota</translation>
    </message>
    <message>
        <source>Play one note and let it ring: A4 is set so that the note is exactly in tune</source>
        <translation>Toca una nota y déjala sonar: se ajusta el La4 para que esa nota quede afinada</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Mantener</translation>
    </message>
    <message>
        <source>Tune to this reference from now on</source>
        <translation>Afinar desde ahora con esta referencia</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Keep the reference as it was</source>
        <translation>Dejar la referencia como estaba</translation>
    </message>
    <message>
        <source>Capo</source>
        <translation>Cejilla</translation>
    </message>
    <message>
        <source>Capo on strings 1 to 4</source>
        <translation>Cejilla en las cuerdas 1 a 4</translation>
    </message>
    <message>
        <source>The fret a capo stops strings 1 to 4 at</source>
        <translation>El traste en que la cejilla pisa las cuerdas 1 a 4</translation>
    </message>
    <message>
        <source>No capo</source>
        <translation>Sin cejilla</translation>
    </message>
    <message>
        <source>Fret %1</source>
        <translation>Traste %1</translation>
    </message>
    <message>
        <source>Fifth string</source>
        <translation>Quinta cuerda</translation>
    </message>
    <message>
        <source>Fifth string's own fret</source>
        <translation>Traste propio de la quinta cuerda</translation>
    </message>
    <message>
        <source>Where a spike or a fifth-string capo stops the fifth string</source>
        <translation>Dónde pisa la quinta cuerda un clavo o su cejilla</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Al aire</translation>
    </message>
    <message>
        <source>Its fret %1 (the neck's %2th)</source>
        <translation>Su traste %1 (el %2.º del mástil)</translation>
    </message>
    <message>
        <source>The fifth string's frets are counted from its own nut, at the neck's 5th fret: its fret 2 lies at the neck's 7th, where a spike raises open G's drone to A. The title shows the neck's fret: "5th at 7".</source>
        <translation>Los trastes de la quinta cuerda se cuentan desde su propia cejuela, en el 5.º traste del mástil: su traste 2 está en el 7.º del mástil, donde un clavo sube el bordón de Sol abierto a La. El título muestra el traste del mástil: «5.ª en el 7».</translation>
    </message>
    <message>
        <source>String read against</source>
        <translation>Cuerda de referencia</translation>
    </message>
    <message>
        <source>Read every note against one string, or find the string by ear</source>
        <translation>Leer cada nota contra una cuerda, o buscar la cuerda de oído</translation>
    </message>
    <message>
        <source>Found by ear</source>
        <translation>Buscada de oído</translation>
    </message>
    <message>
        <source>1st string</source>
        <translation>1.ª cuerda</translation>
    </message>
    <message>
        <source>2nd string</source>
        <translation>2.ª cuerda</translation>
    </message>
    <message>
        <source>3rd string</source>
        <translation>3.ª cuerda</translation>
    </message>
    <message>
        <source>4th string</source>
        <translation>4.ª cuerda</translation>
    </message>
    <message>
        <source>5th string</source>
        <translation>5.ª cuerda</translation>
    </message>
    <message>
        <source>String</source>
        <translation>Cuerda</translation>
    </message>
    <message>
        <source>Or touch a string's name under the chart, or press Shift and its number; touch it again to find strings by ear.</source>
        <translation>O toca el nombre de una cuerda bajo el diagrama, o pulsa Mayús y su número; tócalo otra vez para buscar las cuerdas de oído.</translation>
    </message>
    <message>
        <source>Tunings the arrows show</source>
        <translation>Afinaciones que muestran las flechas</translation>
    </message>
    <message>
        <source>Tick the tunings the arrows step through (Space ticks one)</source>
        <translation>Marca las afinaciones por las que pasan las flechas (Espacio marca una)</translation>
    </message>
    <message>
        <source>The arrows need at least one tuning to show.</source>
        <translation>Las flechas necesitan al menos una afinación que mostrar.</translation>
    </message>
    <message>
        <source>Your tunings</source>
        <translation>Tus afinaciones</translation>
    </message>
    <message>
        <source>Your own tunings; ticked ones are shown by the arrows</source>
        <translation>Tus propias afinaciones; las flechas muestran las marcadas</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Editar</translation>
    </message>
    <message>
        <source>Change the chosen tuning's name or notes</source>
        <translation>Cambiar el nombre o las notas de la afinación elegida</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Delete the chosen tuning</source>
        <translation>Borrar la afinación elegida</translation>
    </message>
    <message>
        <source>Tuning name</source>
        <translation>Nombre de la afinación</translation>
    </message>
    <message>
        <source>The name the browser shows</source>
        <translation>El nombre que muestra el selector</translation>
    </message>
    <message>
        <source>My tuning</source>
        <translation>Mi afinación</translation>
    </message>
    <message>
        <source>Tuning notes</source>
        <translation>Notas de la afinación</translation>
    </message>
    <message>
        <source>Five notes, the fifth string first: gDGBD or G4 D3 G3 B3 D4</source>
        <translation>Cinco notas, la quinta cuerda primero: gDGBD o G4 D3 G3 B3 D4</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notas</translation>
    </message>
    <message>
        <source>Add tuning</source>
        <translation>Añadir afinación</translation>
    </message>
    <message>
        <source>Add the tuning, or save the changes to it</source>
        <translation>Añadir la afinación, o guardar sus cambios</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Guardar cambios</translation>
    </message>
    <message>
        <source>Leave the tuning as it was</source>
        <translation>Dejar la afinación como estaba</translation>
    </message>
    <message>
        <source>Choose one of your tunings first.</source>
        <translation>Elige primero una de tus afinaciones.</translation>
    </message>
    <message>
        <source>Deleted “%1”: Add tuning puts it back.</source>
        <translation>Borrada «%1»: Añadir afinación la recupera.</translation>
    </message>
    <message>
        <source>Added: the arrows show it after the library's.</source>
        <translation>Añadida: las flechas la muestran tras las de la biblioteca.</translation>
    </message>
    <message>
        <source>Saved.</source>
        <translation>Guardada.</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>Fija</translation>
    </message>
    <message>
        <source>Locked: every note is read against this string. Press to find strings by ear again.</source>
        <translation>Fija: cada nota se lee contra esta cuerda. Púlsala para volver a buscar las cuerdas de oído.</translation>
    </message>
    <message>
        <source>Press to read every note against this string (Shift+%1)</source>
        <translation>Púlsala para leer cada nota contra esta cuerda (Mayús+%1)</translation>
    </message>
    <message>
        <source>Locked: in tune</source>
        <translation>Fija: afinada</translation>
    </message>
    <message>
        <source>Locked: tune down</source>
        <translation>Fija: baja el tono</translation>
    </message>
    <message>
        <source>Locked: tune up</source>
        <translation>Fija: sube el tono</translation>
    </message>
    <message>
        <source>%1 (string locked)</source>
        <translation>%1 (cuerda fija)</translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message>
        <source>Strumwise, a banjo tuner</source>
        <translation>Strumwise, un afinador de banjo</translation>
    </message>
    <message>
        <source>Strumwise — banjo tuner</source>
        <translation>Strumwise — afinador de banjo</translation>
    </message>
    <message>
        <source>PageDescription</source>
        <translation>Strumwise afina un banjo de cinco cuerdas: pulsa una cuerda y se enciende cuando está a menos de cinco cents, con tonos de referencia y un medidor de cents. Funciona sin conexión.</translation>
    </message>
    <message>
        <source>%1 in tune</source>
        <translation>%1 afinada</translation>
    </message>
    <message>
        <source>%1, %2 cents sharp</source>
        <translation>%1, %2 cents alta</translation>
    </message>
    <message>
        <source>%1, %2 cents flat</source>
        <translation>%1, %2 cents baja</translation>
    </message>
    <message>
        <source>Banjo with its %1 string lit</source>
        <translation>Banjo con su %1 cuerda encendida</translation>
    </message>
</context>
</TS>
