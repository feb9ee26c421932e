// fflate's gzip unpacker alone, for boot.js to make ready only where the
// browser cannot unpack the page's data itself.
export { gunzipSync } from 'fflate';
