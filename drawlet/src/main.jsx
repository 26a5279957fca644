// Starts the editor with all of its own tool bars hidden (the host has its own) and
// publishes document.DRAWLET once the editor and its structure service are ready.
import { createRoot } from 'react-dom/client';
import { Editor } from 'ketcher-react';
import { StandaloneStructServiceProvider } from 'ketcher-standalone';
import 'ketcher-react/dist/index.css';
import './drawlet.css';
import { createDrawlet } from './drawlet';
import { connectHost } from './host';
import { createPageUi } from './ui';
import { pageLanguage, textsFor } from './texts';

const ui = createPageUi(textsFor(pageLanguage(location.search)));
const structService = new StandaloneStructServiceProvider();

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
      publish(ketcher);
    }}
  />,
);
