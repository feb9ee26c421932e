// The pictures and icons the windows show, carried in the page (ArtData,
// written into it when it is made) and turned into elements when a window
// first needs them.
const Art = (function () {
    'use strict';

    // A picture; one painted on the classic button-face grey lets what lies
    // under it show through that grey, so that its edges never show.
    function picture(name, keyed) {
        const img = new Image();
        img.alt = '';
        // A large picture comes at the end of the page: it is there once the
        // page has been read.
        if (ArtData.pictures[name])
            img.src = ArtData.pictures[name];
        else
            document.addEventListener('DOMContentLoaded', () => { img.src = ArtData.pictures[name]; });
        if (!keyed)
            return img;
        const canvas = document.createElement('canvas');
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
        return canvas;
    }

    // A window's icon, 16 pixels square.
    function icon(name) {
        const img = new Image(16, 16);
        img.alt = '';
        img.className = 'icon';
        img.src = ArtData.icons[name];
        return img;
    }

    return { picture, icon };
})();
