// The pictures and icons the windows show: the pictures carried in the page
// (given to add as the page is read, or in its first window's markup) and
// turned into elements when a window first needs them; the icons drawn by
// the stylesheet (icon-NAME).
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

// The pictures in a window of the page's markup, the first window's.
export function addFrom(el) {
    el.querySelectorAll('img[data-picture]').forEach((img) => { art.pictures[img.dataset.picture] = img.src; });
}

// A picture. One painted on the classic button-face grey comes with that
// grey transparent (the page's build made it so), so that what lies under
// it shows through that grey and its edges never show.
export function picture(name) {
    const img = new Image();
    img.alt = '';
    img.dataset.picture = name;
    // A large picture comes at the end of the page: it is shown once the
    // page has been read that far.
    if (art.pictures[name])
        img.src = art.pictures[name];
    else
        waiting.set(name, [...(waiting.get(name) || []), img]);
    return img;
}

// A window's icon, 16 pixels square.
export function icon(name) {
    const el = document.createElement('span');
    el.className = `icon icon-${name}`;
    return el;
}

