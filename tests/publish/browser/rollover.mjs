// Opens a generated page in headless Chromium and moves the real mouse over
// every menu button: hover, press, release, leave. Prints, as JSON, whether
// each image loaded at its declared size and which image files the buttons
// showed after each step, for the calling test to judge.
//
// Usage: node rollover.mjs <page URL>
import { chromium } from 'playwright-core';

const steps = ['start', 'over', 'down', 'up', 'out'];

const browser = await chromium.launch({
  executablePath: process.env.BL_CHROMIUM || '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--no-first-run'],
});
try {
  const page = await browser.newPage({ viewport: { width: 1280, height: 720 } });
  await page.goto(process.argv[2], { waitUntil: 'load' });

  const images = await page.$$eval('img', (all) => all.map((img) => ({
    name: img.name,
    src: img.getAttribute('src'),
    complete: img.complete,
    width: img.width, height: img.height,
    naturalWidth: img.naturalWidth, naturalHeight: img.naturalHeight,
  })));

  const fileOf = (src) => src.substring(src.lastIndexOf('/') + 1);
  const shown = async () => page.$$eval('img', (all) => Object.fromEntries(all.map((img) => [img.name, img.src])));

  // A point of the image where the image itself takes the pointer. In a
  // vertical menu the edge cell's link box (a text line high, for a 2-pixel
  // image) reaches up over the lower part of the last button.
  const hitPoint = async (name) => page.$eval(`img[name="${name}"]`, (img) => {
    const r = img.getBoundingClientRect();
    for (const f of [0.5, 0.25, 0.1]) {
      const x = r.left + r.width / 2, y = r.top + r.height * f;
      if (document.elementFromPoint(x, y) === img) return { x, y };
    }
    return null;
  });

  const buttons = [];
  for (const image of images.filter((img) => !img.name.endsWith('ee'))) {
    const point = await hitPoint(image.name);
    if (!point) {
      buttons.push({ name: image.name, trace: [], unreachable: true });
      continue;
    }
    const trace = {};
    const record = async (step) => {
      const now = await shown();
      trace[step] = { main: fileOf(now[image.name]), edge: now[image.name + 'e'] ? fileOf(now[image.name + 'e']) : null };
    };
    await page.mouse.move(1270, 710);
    await record('start');
    await page.mouse.move(point.x, point.y, { steps: 2 });
    await record('over');
    await page.mouse.down();
    await record('down');
    await page.mouse.up();
    await record('up');
    await page.mouse.move(1270, 710, { steps: 2 });
    await record('out');
    buttons.push({ name: image.name, trace: steps.map((s) => trace[s]) });
  }
  console.log(JSON.stringify({ images, buttons }));
} finally {
  await browser.close();
}
