// The link to the program that hosts the page: a QWebChannel object "drawletHost"
// when the host offers one (it injects qwebchannel.js), otherwise nothing.
export function connectHost(onReady) {
  const quiet = { drawingChanged() {} };
  const transport = globalThis.qt?.webChannelTransport;
  if (!transport || typeof globalThis.QWebChannel !== 'function') {
    onReady(quiet);
    return;
  }
  try {
    new globalThis.QWebChannel(transport, (channel) => {
      const host = channel.objects.drawletHost;
      onReady(host && typeof host.drawingChanged === 'function' ? host : quiet);
    });
  } catch (e) {
    console.error(`DRAWLET: no host channel: ${e?.message ?? e}`);
    onReady(quiet);
  }
}
