// Starts the editor with all of its own tool bars hidden (the host has its own) and
// publishes document.DRAWLET once the editor and its structure service are ready.
import { createRoot } from 'react-dom/client';
import { Editor } from 'ketcher-react';
import { STRUCT_SERVICE_INITIALIZED_EVENT, StandaloneStructServiceProvider } from 'ketcher-standalone';
import 'ketcher-react/dist/index.css';
import './drawlet.css';
import { createDrawlet } from './drawlet';
import { connectHost } from './host';
import { createPageUi } from './ui';
import { pageLanguage, textsFor } from './texts';

const ui = createPageUi(textsFor(pageLanguage(location.search)));
const structService = new StandaloneStructServiceProvider();

// The editor settles its own first tool while its structure service starts; the
// adapter is published only when both are done, so that its first tool sticks.
const serviceReady = new Promise((resolve) => {
  window.addEventListener(STRUCT_SERVICE_INITIALIZED_EVENT, resolve, { once: true });
});
const editorReady = new Promise((resolve) => {
  window.drawletEditorReady = resolve;
});
Promise.all([editorReady, serviceReady]).then(([ketcher]) => setTimeout(() => publish(ketcher), 0));

function publish(ketcher) {
  connectHost((host) => {
    const drawlet = createDrawlet(ketcher, ui, host);
    drawlet.SingleBondClick();
    document.DRAWLET = drawlet;
    document.documentElement.dataset.drawlet = 'ready';
  });
}

createRoot(document.getElementById('editor')).render(
  <Editor
    staticResourcesUrl="."
    structServiceProvider={structService}
    disableMacromoleculesEditor
    errorHandler={(message) => console.error(`Editor: ${message}`)}
    onInit={(ketcher) => {
      window.ketcher = ketcher;
      window.drawletEditorReady(ketcher);
    }}
  />,
);
