// A worker's side of a fit the page's workers share: its slots of each round
// of the fit's work to the other workers, and theirs to it, through the
// message ports the page gave it (by party; none for its own). The core
// calls these from worker_peers.cpp.

// The name of the workers that join the page's first worker in a fit.
export const FIT_HELPER = 'fit-helper';

export function fitPeers(ports) {
  const rounds = new Map(); // round -> Map(party -> bytes)
  const others = ports.filter(Boolean).length;
  let failed = false;
  let waiting = null;
  const settle = () => {
    if (!waiting) return;
    const complete = (rounds.get(waiting.round)?.size ?? 0) === others;
    if (!failed && !complete) return;
    const { resolve } = waiting;
    waiting = null;
    resolve(failed ? 0 : 1);
  };
  ports.forEach((port, party) => {
    if (!port) return;
    port.onmessage = ({ data }) => {
      if (data.failed) failed = true;
      else {
        if (!rounds.has(data.round)) rounds.set(data.round, new Map());
        rounds.get(data.round).set(party, data.bytes);
      }
      settle();
    };
  });
  return {
    send(round, bytes) {
      rounds.delete(round - 1);
      for (const port of ports) port?.postMessage({ round, bytes });
    },
    // 1 when every other party's bytes of the round are here, 0 when one failed.
    wait(round) {
      return new Promise((resolve) => {
        waiting = { round, resolve };
        settle();
      });
    },
    bytes(round, party) {
      return rounds.get(round).get(party);
    },
    fail() {
      failed = true;
      for (const port of ports) port?.postMessage({ failed: true });
      settle();
    },
    close() {
      for (const port of ports) port?.close();
    },
  };
}
