// The board kept, a watcher of the board's program session (program-session.js):
// a PNG of exactly the canvas's pixels, and a WebM movie of the canvas
// (MediaRecorder) with a frame for every repaint of the program (its
// Module.onPresent) and none between. Each is named after the turns it shows.
import { offerDownload } from './downloads.js';

export function createBoardKeeping({ board, picture, record, status, shownTurn }) {
  let recording = null;

  picture.addEventListener('click', () => {
    const turn = shownTurn();
    board.toBlob((png) => offerDownload(png, `lurkfield-turn-${turn}.png`), 'image/png');
  });

  function startRecording(program) {
    if (typeof MediaRecorder === 'undefined' || !board.captureStream) {
      status.textContent = 'This browser cannot record the board.';
      return;
    }
    const stream = board.captureStream(0);
    const track = stream.getVideoTracks()[0];
    const recorder = new MediaRecorder(stream, { mimeType: 'video/webm' });
    const chunks = [];
    const first = shownTurn();
    recorder.ondataavailable = (event) => { if (event.data.size > 0) chunks.push(event.data); };
    recorder.onstop = () => {
      track.stop();
      offerDownload(new Blob(chunks, { type: 'video/webm' }), `lurkfield-turns-${first}-${recording.last}.webm`);
      recording = null;
      status.textContent = '';
    };
    recording = { recorder, program, last: first };
    program.onPresent = () => track.requestFrame();
    recorder.start();
    track.requestFrame();
    record.setAttribute('aria-pressed', 'true');
    record.textContent = 'Stop recording';
    status.textContent = `Recording from turn ${first}…`;
  }

  function stopRecording() {
    if (!recording || recording.recorder.state === 'inactive') return;
    recording.last = shownTurn();
    delete recording.program.onPresent;
    recording.recorder.stop();
    record.setAttribute('aria-pressed', 'false');
    record.textContent = 'Record a movie';
  }

  return {
    opened(program) {
      picture.disabled = record.disabled = false;
      record.onclick = () => (recording ? stopRecording() : startRecording(program));
    },
    ended() {
      stopRecording();
      picture.disabled = record.disabled = true;
    },
  };
}
