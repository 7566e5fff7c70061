// The BLS signature check of a drand round, done by Cloudflare's CIRCL (Debian's
// golang-github-cloudflare-circl-dev) and called from C++ through a C archive: no C or C++
// library for BLS12-381 is kept in Debian, and a pairing is not code to write ourselves.
// Beside it, Go's own SHA-256, which the public draw's lists are fingerprinted with.
package main

// #include <stddef.h>
import "C"

import (
	"crypto/sha256"
	"unsafe"

	"github.com/cloudflare/circl/ecc/bls12381"
)

// Anything longer than this is not a point, a key, a message digest or a domain tag of ours.
const maxInput = 4096

func bytesOf(p *C.uchar, n C.size_t) ([]byte, bool) {
	if n > maxInput || (p == nil && n != 0) {
		return nil, false
	}
	if n == 0 {
		return []byte{}, true
	}
	return C.GoBytes(unsafe.Pointer(p), C.int(n)), true
}

// tombolix_bls_verify_g1 answers 1 when signature (a compressed point of G1, 48 bytes) signs
// message under key (a compressed point of G2, 96 bytes): the message hashed to G1 with the
// domain tag dst (RFC 9380, SSWU, random oracle) and e(signature, g2) == e(H(message), key).
// Anything else, a malformed input included, answers 0.
//
//export tombolix_bls_verify_g1
func tombolix_bls_verify_g1(signature *C.uchar, signatureLen C.size_t, key *C.uchar, keyLen C.size_t,
	message *C.uchar, messageLen C.size_t, dst *C.uchar, dstLen C.size_t) (valid C.int) {
	// a fault in here must never take the program down with it
	defer func() {
		if recover() != nil {
			valid = 0
		}
	}()
	sig, ok1 := bytesOf(signature, signatureLen)
	pub, ok2 := bytesOf(key, keyLen)
	msg, ok3 := bytesOf(message, messageLen)
	tag, ok4 := bytesOf(dst, dstLen)
	// SetBytes reads the first bytes of a longer input and would take a padded point
	if !ok1 || !ok2 || !ok3 || !ok4 || len(sig) != bls12381.G1SizeCompressed || len(pub) != bls12381.G2SizeCompressed {
		return 0
	}
	// SetBytes checks the encoding, the curve and the subgroup; the identity is refused apart
	var s bls12381.G1
	if s.SetBytes(sig) != nil || !s.IsOnG1() || s.IsIdentity() {
		return 0
	}
	var k bls12381.G2
	if k.SetBytes(pub) != nil || !k.IsOnG2() || k.IsIdentity() {
		return 0
	}
	var h bls12381.G1
	h.Hash(msg, tag)
	// e(signature, g2) · e(H(message), key)^-1 == 1
	e := bls12381.ProdPairFrac([]*bls12381.G1{&s, &h}, []*bls12381.G2{bls12381.G2Generator(), &k}, []int{1, -1})
	if e.IsIdentity() {
		return 1
	}
	return 0
}

// tombolix_sha256 writes SHA-256 of the n bytes at p into out (32 bytes). Go's runs on the
// processor's vector instructions: a list of 32,767 entries is hashed in a quarter of the time
// Qt's portable code takes. The bytes are read in place, never kept.
//
//export tombolix_sha256
func tombolix_sha256(p *C.uchar, n C.size_t, out *C.uchar) {
	var data []byte
	if n > 0 {
		data = unsafe.Slice((*byte)(unsafe.Pointer(p)), int(n))
	}
	sum := sha256.Sum256(data)
	copy(unsafe.Slice((*byte)(unsafe.Pointer(out)), len(sum)), sum[:])
}

func main() {}
