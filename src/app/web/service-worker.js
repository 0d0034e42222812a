// Keeps the page's files so that the game plays with the network off. Each
// build has a cache of its own: a new build fills its cache beside the old
// one, takes over once it is complete and removes the old one; the player
// gets it at the next start. The page names its pictures' scale.
const CACHE = '@CACHE_NAME@';
const scale = new URL(location).searchParams.get('scale') || '1';
const FILES = ['./', 'index.html', 'manifest.webmanifest', 'favicon.png', 'icon-192.png', 'icon-512.png', 'lirvo.js',
    'lirvo.wasm', 'fonts.js', 'fonts.data', `pictures-${scale}x.js`, `pictures-${scale}x.data`];

self.addEventListener('install', event => {
    // Past the browser's own cache, which may still hold the build before.
    const fresh = FILES.map(file => new Request(file, {cache: 'no-cache'}));
    event.waitUntil(caches.open(CACHE).then(cache => cache.addAll(fresh)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
    event.waitUntil(caches.keys()
        .then(names => Promise.all(names.filter(name => name != CACHE).map(name => caches.delete(name))))
        .then(() => self.clients.claim()));
});

// What the cache holds, else the network's answer, kept for next time (the
// pictures of another scale, when the page is opened on another screen).
// Offline on a screen whose pictures were never fetched, those of a scale
// that was will do: the game draws any scale.
self.addEventListener('fetch', event => {
    const request = event.request;
    const url = new URL(request.url);
    if (request.method != 'GET' || url.origin != location.origin) return;
    event.respondWith(caches.open(CACHE).then(async cache => {
        const kept = await cache.match(request, {ignoreSearch: true});
        if (kept) return kept;
        try {
            const answer = await fetch(request);
            if (answer.ok) cache.put(request, answer.clone());
            return answer;
        } catch (offline) {
            if (/pictures-\dx\.js$/.test(url.pathname)) {
                for (const other of ['1', '2', '3']) {
                    const pictures = await cache.match(`pictures-${other}x.js`);
                    if (pictures) return pictures;
                }
            }
            throw offline;
        }
    }));
});
