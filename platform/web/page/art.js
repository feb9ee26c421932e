// The pictures and icons the windows show: the pictures carried in the page
// (given to add as the page is read) and turned into elements when a window
// first needs them; the icons drawn by the stylesheet (icon-NAME).
const art = { pictures: {} };
const waiting = new Map();   // a picture's name -> the images that wait for it

// Pictures read from the page: the first windows' with the program, the
// large pictures, which only later windows show, at its end.
export function add(more) {
    Object.assign(art.pictures, more.pictures);
    for (const [name, images] of waiting)
        if (art.pictures[name]) {
            images.forEach((img) => { img.src = art.pictures[name]; });
            waiting.delete(name);
        }
}

// A picture; one painted on the classic button-face grey lets what lies
// under it show through that grey, so that its edges never show.
export function picture(name, keyed) {
    const img = image(name);
    if (!keyed)
        return img;
    const canvas = document.createElement('canvas');
    canvas.dataset.picture = name;
    keyInto(canvas, img);
    return canvas;
}

// The keyed pictures of a window made with none in them: the first window
// in the page's markup.
export function paint(el) {
    el.querySelectorAll('canvas[data-picture]').forEach((c) => keyInto(c, image(c.dataset.picture)));
}

function image(name) {
    const img = new Image();
    img.alt = '';
    // A large picture comes at the end of the page: it is shown once the
    // page has been read that far.
    if (art.pictures[name])
        img.src = art.pictures[name];
    else
        waiting.set(name, [...(waiting.get(name) || []), img]);
    return img;
}

function keyInto(canvas, img) {
    img.decode().then(() => {
        canvas.width = img.naturalWidth;
        canvas.height = img.naturalHeight;
        const g = canvas.getContext('2d');
        g.drawImage(img, 0, 0);
        const data = g.getImageData(0, 0, canvas.width, canvas.height);
        for (let i = 0; i < data.data.length; i += 4)
            if (data.data[i] === 0xc0 && data.data[i + 1] === 0xc0 && data.data[i + 2] === 0xc0)
                data.data[i + 3] = 0;
        g.putImageData(data, 0, 0);
    });
}

// A window's icon, 16 pixels square.
export function icon(name) {
    const el = document.createElement('span');
    el.className = `icon icon-${name}`;
    return el;
}

