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
        <source>Could not open %1</source>
        <translation>No se pudo abrir %1</translation>
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
