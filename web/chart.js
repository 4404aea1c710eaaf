"use strict";
// The chart of a tuning the build drew no picture for (a tuning of the library or the player's
// own, or any with a capo or a spike), drawn in the page as the artwork program
// (resources/artwork/chart_painter.cpp) draws the four tunings' charts: the same neck, frets,
// strings, numbered labels and spelling, in the same colours and proportions. The tuner names
// such a chart by its family and its notes, drone first ("chartipad_A4_E3_A3_C#4_E4.png"); each
// is drawn once into a canvas and kept as a picture the page can show like any other.
//
// Made once by the page's host (host.js).

const StrumwiseChart = () => {
  const namePattern = /^chart(iphone|ipad)((?:_[A-G](?:#|b|\u266F|\u266D)?-?\d){5})\.png$/;
  // The artwork program's sizes: a phone's chart, and a pad's wider one.
  const sizes = { iphone: [720, 270, false], ipad: [1200, 330, true] };
  const drawn = new Map();

  // The product's colours (resources/artwork/palette.h), and Qt's lighter and darker: the
  // colour's HSV value scaled by the factor, in percent.
  const palette = {
    stage: [0x1d, 0x1a, 0x17], stageLight: [0x2c, 0x27, 0x22], brass: [0xd9, 0xa4, 0x41],
    brassDark: [0x8a, 0x62, 0x1e], chrome: [0xc9, 0xcd, 0xd2], chromeDark: [0x6b, 0x70, 0x78],
    skin: [0xf1, 0xe6, 0xcc], rim: [0x6e, 0x3f, 0x1c], rimDark: [0x3b, 0x1f, 0x0c],
    fingerboard: [0x2e, 0x1d, 0x14], fret: [0xd8, 0xd2, 0xc4], inlay: [0xe9, 0xe2, 0xd0],
    string: [0xcf, 0xd3, 0xd8], cream: [0xf3, 0xe9, 0xd2],
  };
  function scaled([r, g, b], percent) {
    const max = Math.max(r, g, b);
    if (max === 0) return [r, g, b];
    const value = Math.min(255, (max * percent) / 100);
    return [r, g, b].map((c) => Math.round((c * value) / max));
  }
  const css = ([r, g, b]) => `rgb(${r}, ${g}, ${b})`;
  const colour = (name, percent = 100) => css(scaled(palette[name], percent));
  const font = (pixels) => `bold ${Math.max(6, Math.floor(pixels))}px "DejaVu Sans", sans-serif`;

  // A note's letter and accidental without its octave: "F#" for "F#3".
  const pitchClass = (note) => note.replace(/-?\d+$/, "");

  function paint(width, height, notes, wide) {
    // notes[k - 1] is string k's note.
    const canvas = document.createElement("canvas");
    canvas.width = width;
    canvas.height = height;
    const p = canvas.getContext("2d");
    const w = width;
    const h = height;
    const line = (colourName, lineWidth, x1, y1, x2, y2, percent) => {
      p.strokeStyle = colour(colourName, percent);
      p.lineWidth = lineWidth;
      p.beginPath();
      p.moveTo(x1, y1);
      p.lineTo(x2, y2);
      p.stroke();
    };
    const disc = (x, y, radius) => {
      p.beginPath();
      p.arc(x, y, radius, 0, 2 * Math.PI);
    };

    // The card the chart sits on.
    const corner = h * 0.08;
    const card = p.createLinearGradient(0, 0, 0, h);
    card.addColorStop(0, colour("stageLight", 115));
    card.addColorStop(1, colour("stageLight"));
    p.fillStyle = card;
    p.strokeStyle = colour("brassDark");
    p.lineWidth = Math.max(1, h * 0.008);
    p.beginPath();
    p.roundRect(1, 1, w - 2, h - 2, corner);
    p.fill();
    p.stroke();

    const headEnd = w * (wide ? 0.12 : 0.13);
    const boardEnd = w * (wide ? 0.76 : 0.72);
    const top = h * 0.3;
    const bottom = h * 0.86;
    const spacing = (bottom - top) / 4;
    const stringY = (string) => (string === 5 ? bottom : top + spacing * (string - 1));

    // The tuning spelled out above the neck, its strings a thin space apart.
    const drone = pitchClass(notes[4]);
    const spelling = [drone[0].toLowerCase() + drone.slice(1)];
    for (let string = 4; string >= 1; --string) spelling.push(pitchClass(notes[string - 1]));
    p.font = font(h * 0.15);
    p.fillStyle = colour("brass");
    p.textBaseline = "middle";
    p.textAlign = "left";
    p.fillText(spelling.join("\u2009"), headEnd, h * 0.03 + h * 0.11);

    // Headstock with two pegs on each side.
    p.beginPath();
    p.moveTo(headEnd, top - spacing * 0.7);
    p.bezierCurveTo(headEnd * 0.5, top - spacing * 1.1, w * 0.02, top - spacing * 0.4, w * 0.02,
      (top + stringY(4)) / 2);
    p.bezierCurveTo(w * 0.02, stringY(4) + spacing * 0.4, headEnd * 0.5, stringY(4) + spacing * 1.1,
      headEnd, stringY(4) + spacing * 0.7);
    p.closePath();
    const wood = p.createLinearGradient(0, top - spacing, 0, stringY(4) + spacing);
    wood.addColorStop(0, colour("rim", 120));
    wood.addColorStop(1, colour("rimDark"));
    p.fillStyle = wood;
    p.strokeStyle = css(scaled(palette.rimDark, 100 / 1.3));
    p.lineWidth = Math.max(1, h * 0.006);
    p.fill();
    p.stroke();
    const pegRadius = spacing * 0.28;
    p.fillStyle = colour("chrome");
    p.strokeStyle = colour("chromeDark");
    p.lineWidth = Math.max(0.8, h * 0.005);
    for (const x of [headEnd * 0.45, headEnd * 0.78]) {
      for (const y of [top - spacing * 0.35, stringY(4) + spacing * 0.35]) {
        disc(x, y, pegRadius);
        p.fill();
        p.stroke();
      }
    }

    // Fingerboard from the nut to the edge of the chart's neck.
    const boardTop = top - spacing * 0.45;
    const boardHeight = bottom - top + spacing * 0.9;
    const ebony = p.createLinearGradient(0, boardTop, 0, boardTop + boardHeight);
    ebony.addColorStop(0, colour("fingerboard", 125));
    ebony.addColorStop(1, css(scaled(palette.fingerboard, 100 / 1.25)));
    p.fillStyle = ebony;
    p.fillRect(headEnd, boardTop, boardEnd - headEnd, boardHeight);

    // Frets at their equal-tempered places, seven of them across the board.
    const scale = (boardEnd - headEnd) / (1 - 2 ** (-7.5 / 12));
    const fretX = (fret) => headEnd + scale * (1 - 2 ** (-fret / 12));
    p.lineCap = "butt";
    for (let fret = 1; fret <= 7; ++fret) {
      line("fret", Math.max(1, h * 0.012), fretX(fret), boardTop, fretX(fret), boardTop + boardHeight);
    }
    p.fillStyle = colour("inlay");
    for (const fret of [3, 5, 7]) {
      disc((fretX(fret) + fretX(fret - 1)) / 2, (top + bottom) / 2, spacing * 0.14);
      p.fill();
    }
    // The nut.
    p.fillStyle = colour("skin");
    p.fillRect(headEnd - h * 0.02, boardTop, h * 0.03, boardHeight);

    // Strings; the fifth starts at its own peg by the fifth fret.
    const fifthStart = fretX(5);
    p.lineCap = "round";
    for (let string = 1; string <= 5; ++string) {
      const y = stringY(string);
      line("string", Math.max(1, h * (string === 4 ? 0.016 : 0.011)),
        string === 5 ? fifthStart : headEnd - h * 0.02, y, boardEnd, y);
    }
    const peg = p.createRadialGradient(fifthStart, bottom, 0, fifthStart, bottom, pegRadius * 1.2);
    peg.addColorStop(0, colour("chrome", 125));
    peg.addColorStop(1, colour("chromeDark"));
    p.fillStyle = peg;
    p.strokeStyle = css(scaled(palette.chromeDark, 100 / 1.3));
    p.lineWidth = Math.max(0.8, h * 0.005);
    disc(fifthStart, bottom, pegRadius);
    p.fill();
    p.stroke();

    // A label per string: its number in a brass disc and its note.
    const labelLeft = boardEnd + w * 0.025;
    const discRadius = spacing * 0.36;
    p.lineCap = "butt";
    for (let string = 1; string <= 5; ++string) {
      const y = stringY(string);
      const lineWidth = Math.max(1, h * 0.006);
      p.setLineDash([lineWidth, 2 * lineWidth]);
      line("string", lineWidth, boardEnd, y, labelLeft, y, 100 / 1.3);
      p.setLineDash([]);
      const x = labelLeft + discRadius;
      p.fillStyle = colour("brass");
      disc(x, y, discRadius);
      p.fill();
      p.fillStyle = colour("stage");
      p.font = font(discRadius * 1.3);
      p.textAlign = "center";
      p.fillText(String(string), x, y);
      p.fillStyle = colour("cream");
      p.font = font(spacing * 0.78);
      p.textAlign = "left";
      p.fillText(notes[string - 1], x + discRadius * 1.5, y);
    }
    return canvas;
  }

  return {
    // Whether `name` is a chart this page draws, rather than a file of the site.
    isDrawn: (name) => namePattern.test(name ?? ""),
    // The picture for a drawn chart's name, as an address an image element shows.
    source(name) {
      if (drawn.has(name)) return drawn.get(name);
      const [, family, list] = namePattern.exec(name);
      const droneFirst = list.slice(1).split("_");
      // The name lists the notes drone first, then strings 4 to 1.
      const notes = [droneFirst[4], droneFirst[3], droneFirst[2], droneFirst[1], droneFirst[0]];
      const [width, height, wide] = sizes[family];
      const url = paint(width, height, notes, wide).toDataURL("image/png");
      drawn.set(name, url);
      return url;
    },
  };
};
