// A round of drand's quicknet checked by its own BLS signature, so that no relay need be trusted:
// the signature is a point of G1 (48 bytes compressed) signing SHA-256 of the round as 8 bytes
// big-endian, hashed to G1 (RFC 9380, scheme bls-unchained-g1-rfc9380), under quicknet's public
// key, a point of G2 carried here. The curve's arithmetic is noble's, never our own.
import { bls12_381 } from '@noble/curves/bls12-381.js';
import { sha256 } from '@noble/hashes/sha2.js';
import { bytesToHex, hexToBytes } from '@noble/hashes/utils.js';

export const QUICKNET_PUBLIC_KEY =
  '83cf0f2896adee7eb8b5f01fcad3912212c437e0073e911fb90022d3e760183c8c4b450b6a0a6c3ac6a5776a2d1064' +
  '510d1fec758c921cc22b0e17e63aaf4bcb5ed66304de9cf809bd274ca73bab4af5a6e9c76a4bc09e76eae8991ef5' +
  'ece45a';
const DST = 'BLS_SIG_BLS12381G1_XMD:SHA-256_SSWU_RO_NUL_';

// A check is a few milliseconds of pairing: each round and signature is checked once a page.
const checked = new Map();

export function roundMessage(round) {
  const bytes = new Uint8Array(8);
  new DataView(bytes.buffer).setBigUint64(0, BigInt(round));
  return sha256(bytes);
}

// The raw 48 bytes of a round's signature: false for anything else (another length, the identity,
// a point off the curve or outside its subgroup, another round's).
export function roundSignatureValid(round, signature) {
  if (!Number.isSafeInteger(round) || round < 1 || !(signature instanceof Uint8Array) || signature.length !== 48)
    return false;
  const key = `${round}:${bytesToHex(signature)}`;
  if (!checked.has(key)) {
    let valid = false;
    try {
      const bls = bls12_381.shortSignatures;
      valid = bls.verify(signature, bls.hash(roundMessage(round), DST), hexToBytes(QUICKNET_PUBLIC_KEY)) === true;
    } catch {
      valid = false; // noble throws on a point it cannot take: a signature that does not hold
    }
    checked.set(key, valid);
  }
  return checked.get(key);
}

// One pairing made while the page waits for the user: the first one after loading costs several
// times the next (the engine compiles, noble fills its tables). Not remembered as a check.
export function warmUp() {
  const bls = bls12_381.shortSignatures;
  const round42 = hexToBytes(
    '95a9f9f5b231b7714de1553105d8ffdf3dcda24cfdb1e689319bccf79a9c8ce430a91b811fbfaf763900bc998b5d686a',
  );
  try {
    bls.verify(round42, bls.hash(roundMessage(0), DST), hexToBytes(QUICKNET_PUBLIC_KEY));
  } catch {
    // nothing to say: the real check will
  }
}

export const signatureRefused = (round) =>
  `라운드 ${round}의 signature가 drand quicknet의 공개 키로 확인되지 않습니다. drand가 낸 라운드가 아닙니다.`;
