import sys; sys.path.insert(0, __import__('os').path.dirname(__file__))
from float_calculus import f, add, sub, mul, div, toint
PI=float.fromhex('0x1.921fb6p+1'); TWO_PI=float.fromhex('0x1.921fb6p+2'); HALF=float.fromhex('0x1.921fb6p+0'); CUT=float.fromhex('0x1.0c6f7ap-20')
def fabs(x): return x if x>0 else sub(0.0,x)
def p(x): return sub(mul(3.0,x), mul(mul(mul(4.0,x),x),x))
def sinimpl(x): return x if not (fabs(x)>CUT) else p(sinimpl(div(x,3.0)))
def mysin(x):
    if x>TWO_PI or x< -6.0:
        k=toint(div(x,TWO_PI)); x=sub(x,mul(f(float(k)),TWO_PI))
    if x>PI: x=sub(x,TWO_PI)
    if x< -3.0: x=add(x,TWO_PI)
    return sinimpl(x)
def mycos(x): return mysin(add(x,HALF))
def rotate_image(w,h,img,angle):
    s=c=0.0
    if w>0 and h>0: s=mysin(angle); c=mycos(angle)
    out=[]
    for y in range(h):
        row=[]
        for x in range(w):
            cx=int(w/2); cy=int(h/2); dx=x-cx; dy=y-cy
            sx=toint(add(sub(mul(f(float(dx)),c),mul(f(float(dy)),s)),f(float(cx))))
            sy=toint(add(add(mul(f(float(dx)),s),mul(f(float(dy)),c)),f(float(cy))))
            row.append(0 if sx<0 or sx>=w or sy<0 or sy>=h else img[sy*w+sx])
        out.append(''.join(f'{v} ' for v in row)+'\n')
    return f'P2\n{w} {h} 255\n'+''.join(out)
if __name__=='__main__':
    print(mysin(0.0), mycos(0.0))
    # the existing cases as a check of the model
    import glob
    for fn in sorted(glob.glob(__import__('os').path.dirname(__file__) + '/../../cases/image_rotate/*.in')):
        t=open(fn).read(); exp=open(fn[:-3]+'.out').read()
        parts=t.split()
        try:
            angle=f(float(parts[0])); assert parts[1]=='P2'; w,h,mx=map(int,parts[2:5]); img=list(map(int,parts[5:5+w*h]))
            if mx!=255 or w>1024 or h>1024 or len(img)<w*h or w<=0 or h<=0: continue
        except Exception: continue
        print(fn.split('/')[-1], rotate_image(w,h,img,angle)==exp)
